// workers.js - the render workers: one per hardware thread, each with its
// own instance of the compiled module, handed bands of rows one at a time.
//
// A band's size follows the time its rows took, aiming at about 10 ms a
// band: long enough that messages cost little, short enough that rows
// show as they finish and that a worker is soon free for the next render.
// Each worker holds two bands, so that it starts the next as soon as it
// has sent one rather than after the page has answered (with one, the
// workers stood idle 5 to 7 % of a render, with two 1 to 2 %).  A new
// render cancels the running one at once: its bands still in the workers
// come back marked with the old render's number and are dropped, and no
// further band of it is handed out.

const BANDMS = 10;
const BANDSHELD = 2;

export class WorkerPool {
  // count workers, started at once so that their scripts load while the
  // module is fetched and compiled.
  constructor(count) {
    this.count = count;
    this.job = null;
    this.workers = [];
    this.busyMs = 0;        // the workers' time in the rows of the last render
    this.onfail = () => {};
    let first, failure;
    // Settles when the first worker is ready, or at the first failure.
    this.firstReady = new Promise((resolve, reject) => { first = resolve; failure = reject; });
    const fail = message => {
      failure(new Error(message));
      this.failed(message);
    };
    for (let k = 0; k < count; k++) {
      const worker = new Worker('worker.js');
      const slot = { worker, ready: false, held: 0, rows: 0 };
      this.workers.push(slot);
      worker.onerror = e => fail(e.message || 'the worker script did not load');
      worker.onmessage = e => {
        if (e.data.type === 'ready') {
          worker.onmessage = m => this.received(slot, m.data);
          worker.onerror = e2 => this.failed(e2.message || 'a worker stopped');
          slot.ready = true;
          first();
          this.feed(slot);
        } else if (e.data.type === 'error') {
          fail(e.data.message);
        }
      };
    }
  }

  // Hands every worker the compiled WebAssembly.Module.  Resolves as soon
  // as one has its instance (the others join the render running when they
  // are ready); rejects with a message when a worker cannot start.  A
  // failure after that goes to onfail(message).
  start(module) {
    for (const slot of this.workers) slot.worker.postMessage({ type: 'init', module });
    return this.firstReady;
  }

  // Renders job = {gen, words, width, height, whole}; onrows(first, count,
  // Uint8ClampedArray of RGBA, width) for each band as it finishes,
  // ondone() once all rows are in.  A whole job (a projection made whole)
  // goes to one worker as one band.  Replaces (cancels) any render running.
  render(job, onrows, ondone, onfail) {
    this.job = { ...job, next: 0, done: 0, rows: 2, busyMs: 0, onrows, ondone, onfail };
    for (const slot of this.workers) this.feed(slot);
  }

  cancel() { this.job = null; }

  // Tops the worker's bands up to BANDSHELD from the running render.
  feed(slot) {
    const job = this.job;
    while (slot.ready && job !== null && job.next < job.height && slot.held < BANDSHELD) {
      const count = job.whole ? job.height : Math.min(job.rows, job.height - job.next);
      slot.held++;
      slot.worker.postMessage({ type: job.whole ? 'whole' : 'band', gen: job.gen, words: job.words,
        first: job.next, count });
      job.next += count;
    }
  }

  received(slot, m) {
    slot.held--;
    const job = this.job;
    if (m.type === 'error' && job && m.gen === job.gen) {
      this.job = null;
      job.onfail(m.message);
      return;
    }
    if (m.type === 'rows' && job && m.gen === job.gen) {
      // Rows per band from the time this band took, within 1..256.
      const perRow = Math.max(m.ms, 0.01) / m.count;
      job.rows = Math.max(1, Math.min(256, Math.round(BANDMS / perRow)));
      job.done += m.count;
      job.busyMs += m.ms;
      slot.rows += m.count;
      // The worker's next band first: it renders while these rows are
      // drawn.
      this.feed(slot);
      job.onrows(m.first, m.count, new Uint8ClampedArray(m.buffer), m.width);
      if (job.done === job.height) {
        this.job = null;
        this.busyMs = job.busyMs;
        job.ondone();
      }
      return;
    }
    this.feed(slot);
  }

  failed(message) {
    const job = this.job;
    this.job = null;
    if (job) job.onfail(message);
    else this.onfail(message);
  }
}
