/*
 * webpsave.cpp - an animated WebP file made with libwebp's animation
 * encoder: each frame is encoded as it comes (while the next renders),
 * and the whole file is written through the save sink at the end.
 */
#include <cmath>
#include <cstdint>

#include <webp/encode.h>
#include <webp/mux.h>

#include "cli/frameout.h"
#include "tiff/savesink.h"

namespace {

class WEBPANIMATION : public FRAMEOUT {
public:
    WEBPANIMATION(const char *path, int width, int height, double fps, int quality)
        : path(path), width(width), height(height), fps(fps)
    {
        WebPAnimEncoderOptions options;
        WebPAnimEncoderOptionsInit(&options);
        options.anim_params.loop_count = 0;
        encoder = WebPAnimEncoderNew(width, height, &options);
        WebPConfigInit(&config);
        if (quality < 0) {
            /* Lossless keeps every colour of the picture; the fastest
               method, as the frames come one after another. */
            WebPConfigLosslessPreset(&config, 0);
        } else {
            config.quality = (float)quality;
            config.method = 2;
        }
    }
    ~WEBPANIMATION() override
    {
        if (encoder != nullptr)
            WebPAnimEncoderDelete(encoder);
    }
    int ok() const { return encoder != nullptr; }

    int add(long, const unsigned char *rgb, const std::string &, std::string *why) override
    {
        WebPPicture picture;
        if (!WebPPictureInit(&picture))
            return *why = "libwebp does not match its header", 1;
        picture.width = width;
        picture.height = height;
        picture.use_argb = 1;
        int done = WebPPictureImportRGB(&picture, rgb, width * 3) &&
                   WebPAnimEncoderAdd(encoder, &picture, timestamp(frames), &config);
        WebPPictureFree(&picture);
        if (!done) {
            *why = std::string("cannot encode the frame as WebP: ") + WebPAnimEncoderGetError(encoder);
            return 1;
        }
        frames++;
        return 0;
    }

    int finish(std::string *why) override
    {
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAdd(encoder, nullptr, timestamp(frames), nullptr) ||
            !WebPAnimEncoderAssemble(encoder, &data)) {
            *why = std::string("cannot make the WebP file: ") + WebPAnimEncoderGetError(encoder);
            return 1;
        }
        int error = 0;
        SAVESINK *sink = savesink_open(path, &error);
        if (sink != nullptr) {
            error = savesink_write(sink, data.bytes, data.size);
            if (error == 0)
                error = savesink_commit(sink);
            else
                savesink_abort(sink);
        }
        WebPDataClear(&data);
        if (error != 0) {
            *why = std::string("cannot write ") + path + ": " + savesink_reason(error);
            return 1;
        }
        return 0;
    }

private:
    /* Frame k starts at k / fps seconds, in whole milliseconds. */
    int timestamp(long k) const { return (int)std::lround(1000.0 * (double)k / fps); }

    const char *path;
    int width, height;
    double fps;
    long frames = 0;
    WebPAnimEncoder *encoder = nullptr;
    WebPConfig config;
};

}

FRAMEOUT *webpanimation(const char *path, int width, int height, double fps, int quality, std::string *why)
{
    WEBPANIMATION *out = new WEBPANIMATION(path, width, height, fps, quality);
    if (out->ok())
        return out;
    delete out;
    *why = "libwebp cannot start an animation of this size";
    return nullptr;
}
