// Plays the stereo frames the core's mixer posts through the port, each at
// the context frame it names. Without threads the page and this thread share
// no memory, so each chunk comes as a transferred buffer and lands in a ring
// indexed by frame: a frame already past is dropped, a frame never written
// is silence, and a later write for a frame not yet played replaces the
// earlier one (what the mixer rendered ahead before a StopSpeech). The core
// renders only a few milliseconds ahead, so a quantum it has not reached yet
// (an underrun: heard as a gap) is counted and told to the page.
const RING = 1 << 16;   // frames, about 1.4 s at 48 kHz

class DrumOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.ring = new Float32Array(RING * 2);
    this.end = -1;        // the frame after the last one written
    this.fed = false;     // whether the last quantum was written whole
    this.underruns = 0;
    this.port.onmessage = (e) => this.write(e.data.samples, e.data.frame);
  }

  write(samples, frame) {
    const n = samples.length >> 1;
    const from = Math.max(0, currentFrame - frame);
    const to = Math.min(n, currentFrame + RING - frame);
    this.end = Math.max(this.end, frame + n);
    for (let i = from; i < to; ++i) {
      const at = ((frame + i) % RING) * 2;
      this.ring[at] = samples[2 * i];
      this.ring[at + 1] = samples[2 * i + 1];
    }
  }

  process(inputs, outputs) {
    const out = outputs[0];
    const left = out[0];
    const right = out[1] || left;
    // Counted once a gap, from the first write on.
    const fed = this.end >= currentFrame + left.length;
    if (this.fed && !fed) this.port.postMessage({ underruns: ++this.underruns });
    this.fed = fed;
    for (let i = 0; i < left.length; ++i) {
      const at = ((currentFrame + i) % RING) * 2;
      left[i] = this.ring[at];
      right[i] = this.ring[at + 1];
      this.ring[at] = 0;
      this.ring[at + 1] = 0;
    }
    return true;
  }
}

registerProcessor('drum-output', DrumOutput);
