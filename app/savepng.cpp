/*
 * savepng.cpp - File > Save Selection as PNG (Ctrl+S): the save-file
 * dialog, the platform's own PNG encoder (Windows Imaging Component), and
 * the text chunks that name the program and give the lumo command making
 * the picture again.
 *
 * WIC encodes into memory; the chunks are added to those bytes
 * (common/pngchunks), which go out through the save sink (tiff/savesink.h)
 * like the TIFF save's.  Any failure shows the TIFF save's error box and
 * leaves no file behind; a file that was there stays.
 */
#include <string>
#include <vector>

#include <wincodec.h>

#include "app/LumoDomainColoring.h"
#include "common/pngchunks.h"
#include "expr/expr.h"
#include "render/reproduce.h"
#include "tiff/savesink.h"

std::string lastrendercommand;

static OPENFILENAMEA spngn;
static char pngfile[SAVEPATHROOM];
static char pngfiletitle[SAVEPATHROOM];
static char pngfilter[] = "PNG files (*.png)\0*.png\0";
static char pngdefext[] = "png";

void rememberrender()
{
    lastrendercommand = reproducecommand(formula == 30 ? customtext() : nullptr, graphflag);
    rememberfigure();
}

template <class T> static void release(T *&p)
{
    if (p != nullptr)
        p->Release();
    p = nullptr;
}

int encodewic(int width, int height, int stride, const unsigned char *bgr,
              std::vector<unsigned char> *png)
{
    IWICImagingFactory *factory = nullptr;
    IStream *stream = nullptr;
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    IPropertyBag2 *options = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    UINT bytes = (UINT)stride * (UINT)(height - 1) + (UINT)width * 3;

    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory));
    if (SUCCEEDED(hr))
        hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options);
    if (SUCCEEDED(hr))
        hr = frame->SetSize((UINT)width, (UINT)height);
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = frame->WritePixels((UINT)height, (UINT)stride, bytes, (BYTE *)bgr);
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();

    int code = SUCCEEDED(hr) ? 0 : (hr == E_OUTOFMEMORY ? 2 : 4);
    HGLOBAL memory = nullptr;
    STATSTG stat;
    if (code == 0 && (FAILED(GetHGlobalFromStream(stream, &memory)) ||
                      FAILED(stream->Stat(&stat, STATFLAG_NONAME))))
        code = 4;
    if (code == 0) {
        const unsigned char *p = (const unsigned char *)GlobalLock(memory);
        if (p == nullptr) {
            code = 2;
        } else {
            png->assign(p, p + (size_t)stat.cbSize.QuadPart);
            GlobalUnlock(memory);
        }
    }
    release(options);
    release(frame);
    release(encoder);
    release(stream);
    release(factory);
    return code;
}

/* Writes bytes to path through the program's save sink, which replaces
   the file whole or leaves it as it was.  Returns 0, or the save error
   code 1 (cannot start the save) or 3 (cannot write or commit). */
static int writefile(const char *path, const std::vector<unsigned char> &bytes)
{
    int error = 0;
    SAVESINK *sink = savesink_open(path, &error);
    if (sink == nullptr)
        return 1;
    if (savesink_write(sink, bytes.data(), bytes.size()) != 0) {
        savesink_abort(sink);
        return 3;
    }
    return savesink_commit(sink) == 0 ? 0 : 3;
}

/* Saves width x height pixels of the surface to path.  Returns 0 or the
   save error code. */
static int writepng(const char *path, int width, int height)
{
    std::vector<unsigned char> encoded, png;
    /* The surface is a top-down 24-bit DIB: blue, green, red bytes. */
    int code = encodewic(width, height, surfacestride, surfacebits, &encoded);
    if (code != 0)
        return code;
    std::string comment = lastrendercommand + reproduceoutput(path, 1);
    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment.c_str()}};
    if (!pngaddchunks(encoded.data(), encoded.size(), texts, 2, &png))
        return 4;
    return writefile(path, png);
}

void savepngcommand(HWND window)
{
    if (spngn.lStructSize == 0)
        initsavedialog(&spngn, pngfile, pngfiletitle, pngfilter, pngdefext);
    /* Owned by the main window, for the reasons the TIFF save gives. */
    spngn.hwndOwner = window;
    if (!GetSaveFileNameA(&spngn))
        return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    void *cursor = cursor_wait();
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int code = writepng(pngfile, graphflag ? 1300 : xres, yres);
    if (SUCCEEDED(com))
        CoUninitialize();
    cursor_restore(cursor);
    reportsaved(window, code, pngfiletitle);
}
