// Plays the stereo frames the core's mixer posts through the port, each at
// the frame of the core's 48 kHz clock it names (the context's time times
// 48,000). Without threads the page and this thread share no memory, so each
// chunk comes as a transferred buffer and lands in a ring indexed by frame: a
// frame already past is dropped, a frame never written is silence, and a
// later write for a frame not yet played replaces the earlier one (the
// silence the mixer rendered ahead of a sound it then moved up). A sound
// after silence (`onset`) whose first frame has begun to play is moved to the
// next frame instead, and what follows it as much: its start is never cut.
// A context at another rate (the
// device's own: the browser then resamples nothing, which saves a buffer of
// latency) reads the ring with linear interpolation. The core renders only a
// few milliseconds ahead, so a quantum it has not reached yet (an underrun:
// heard as a gap) is counted and told to the page.
const RING = 1 << 16;   // frames, about 1.4 s at 48 kHz

class DrumOutput extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const rate = (options.processorOptions && options.processorOptions.rate) || sampleRate;
    this.step = rate / sampleRate;   // core frames per context frame
    this.ring = new Float32Array(RING * 2);
    this.end = -1;        // the frame after the last one written
    this.cleared = 0;     // the ring is zero from here on, up to what was written
    this.fed = false;     // whether the last quantum was written whole
    this.underruns = 0;
    this.late = 0;        // frames the sound now playing was moved later by
    this.port.onmessage = (e) => this.write(e.data.samples, e.data.frame, e.data.onset);
  }

  // The core frame playing at the context's frame `f`.
  at(f) { return f * this.step; }

  write(samples, frame, onset) {
    const n = samples.length >> 1;
    const now = Math.floor(this.at(currentFrame));
    if (onset) this.late = Math.max(0, now + 1 - frame);
    frame += this.late;
    const from = Math.max(0, now - frame);
    const to = Math.min(n, now + RING - frame);
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
    const ring = this.ring;
    // Counted once a gap, from the first write on.
    const fed = this.end >= Math.ceil(this.at(currentFrame + left.length)) + 1;
    if (this.fed && !fed) this.port.postMessage({ underruns: ++this.underruns });
    this.fed = fed;
    if (this.step === 1) {
      for (let i = 0; i < left.length; ++i) {
        const at = ((currentFrame + i) % RING) * 2;
        left[i] = ring[at];
        right[i] = ring[at + 1];
        ring[at] = 0;
        ring[at + 1] = 0;
      }
      return true;
    }
    for (let i = 0; i < left.length; ++i) {
      const p = this.at(currentFrame + i);
      const k = Math.floor(p);
      const t = p - k;
      const a = (k % RING) * 2;
      const b = ((k + 1) % RING) * 2;
      left[i] = ring[a] + (ring[b] - ring[a]) * t;
      right[i] = ring[a + 1] + (ring[b + 1] - ring[a + 1]) * t;
    }
    // What was read is cleared, but the last frame, the next quantum's first neighbour.
    const upTo = Math.floor(this.at(currentFrame + left.length));
    for (let k = Math.max(this.cleared, upTo - RING + 1); k < upTo; ++k) {
      const a = (k % RING) * 2;
      ring[a] = 0;
      ring[a + 1] = 0;
    }
    this.cleared = upTo;
    return true;
  }
}

registerProcessor('drum-output', DrumOutput);
