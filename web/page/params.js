// params.js - one row per parameter of the typed function: its value as
// text (the core reads it), a slider between editable ends, and Play,
// which sweeps the value round and round, one step each finished picture.
// The page hands in set(name, value text): '' when the core took the
// value (and a render started), else the core's complaint, which names
// the parameter.

const STEPS = 100;      // slider steps between its ends

export class ParamRows {
  constructor(container, set) {
    this.container = container;
    this.set = set;
    this.rows = new Map();
    this.names = null;
    this.playing = null;
  }

  // Shows the parameters now, [{name, value}] in the text's order.
  show(params) {
    const names = params.map(p => p.name).join('\n');
    if (names !== this.names) this.build(params.map(p => p.name));
    this.names = names;
    for (const p of params) this.showValue(this.rows.get(p.name), p.value);
  }

  build(names) {
    this.stop();
    this.container.replaceChildren();
    this.rows.clear();
    for (const name of names) {
      const row = document.createElement('div');
      row.className = 'param';
      row.dataset.param = name;
      row.innerHTML = '<label><span class="name"></span> = <input class="value" size="16" spellcheck="false"></label> ' +
        '<input class="min" size="6" title="the slider\'s least value"> <input class="slider" type="range"> ' +
        '<input class="max" size="6" title="the slider\'s greatest value"> ' +
        '<button type="button" class="play">Play</button> <span class="error" role="status"></span>';
      const q = s => row.querySelector(s);
      const r = { name, value: q('.value'), min: q('.min'), max: q('.max'), slider: q('.slider'),
        play: q('.play'), error: q('.error') };
      q('.name').textContent = name;
      r.value.addEventListener('change', () => { this.stop(); this.take(r, r.value.value.trim()); });
      r.slider.addEventListener('input', () => this.take(r, r.slider.value));
      r.min.addEventListener('change', () => this.ends(r));
      r.max.addEventListener('change', () => this.ends(r));
      r.play.addEventListener('click', () => (this.playing === r ? this.stop() : this.play(r)));
      this.rows.set(name, r);
      this.container.append(row);
    }
  }

  // The value as the core wrote it; a real one also places the slider,
  // whose ends start one either side of it.
  showValue(r, value) {
    if (document.activeElement !== r.value) r.value.value = value;
    const x = Number(value);
    const real = value.trim() !== '' && Number.isFinite(x);
    r.slider.disabled = r.play.disabled = !real;
    if (!real) return;
    if (!(x >= Number(r.slider.min) && x <= Number(r.slider.max)) || r.min.value === '') {
      r.min.value = String(x - 1);
      r.max.value = String(x + 1);
      this.ends(r);
    }
    if (this.playing !== r) r.slider.value = value;
  }

  ends(r) {
    const lo = Number(r.min.value), hi = Number(r.max.value);
    if (!(Number.isFinite(lo) && Number.isFinite(hi) && lo < hi)) {
      r.error.textContent = `${r.name}: the slider's ends must be numbers, the first below the second`;
      return;
    }
    r.error.textContent = '';
    r.slider.min = String(lo);
    r.slider.max = String(hi);
    r.slider.step = String((hi - lo) / STEPS);
  }

  take(r, value) {
    const error = this.set(r.name, value);
    r.error.textContent = error;
    return error === '';
  }

  play(r) {
    this.stop();
    this.playing = r;
    r.play.textContent = 'Stop';
    this.advance();
  }

  stop() {
    if (this.playing) this.playing.play.textContent = 'Play';
    this.playing = null;
  }

  // One step on, back to the least value after the greatest.
  advance() {
    const r = this.playing;
    if (!r) return;
    if (Number(r.slider.value) >= Number(r.slider.max)) r.slider.value = r.slider.min;
    else r.slider.stepUp();
    if (!this.take(r, r.slider.value)) this.stop();
  }

  // A picture is complete: a playing parameter moves on.
  rendered() {
    if (this.playing) requestAnimationFrame(() => this.advance());
  }
}
