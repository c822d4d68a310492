// canvas.js - the picture: one canvas whose size in pixels is the
// picture's, rows put in as they arrive, the progress bar, and the PNG.

const GREY = [128, 128, 128];

export class Picture {
  constructor(canvas, progress) {
    this.canvas = canvas;
    this.progress = progress;
    this.context = canvas.getContext('2d', { alpha: false });
    this.height = 0;
    this.rows = 0;
  }

  // A picture of width x height begins; a new size starts grey, as the
  // window program clears the image before its rows arrive.
  begin(width, height) {
    if (this.canvas.width !== width || this.canvas.height !== height) {
      this.canvas.width = width;
      this.canvas.height = height;
      this.context.fillStyle = `rgb(${GREY.join(',')})`;
      this.context.fillRect(0, 0, width, height);
    }
    this.height = height;
    this.rows = 0;
    this.progress.value = 0;
  }

  // count rows from row first, RGBA, each `width` pixels wide, at column x.
  put(x, first, width, count, rgba) {
    this.context.putImageData(new ImageData(rgba, width, count), x, first);
  }

  rowsDone(count) {
    this.rows += count;
    this.progress.value = this.height ? this.rows / this.height : 1;
  }

  // The browser's PNG of the canvas, as bytes.
  async png() {
    const blob = await new Promise(resolve => this.canvas.toBlob(resolve, 'image/png'));
    return new Uint8Array(await blob.arrayBuffer());
  }
}

// Offers bytes as a download named filename.
export function download(bytes, filename, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const a = document.createElement('a');
  a.href = url;
  a.download = filename;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}
