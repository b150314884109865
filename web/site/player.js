// The page's sound output: an AudioContext made on the first key or click
// (browsers start none without a gesture) and an AudioWorklet fed through its
// port (audio-worklet.js). Where worklets are missing (a page served over
// plain http from another host is not a secure context) a ScriptProcessorNode
// plays the same ring on the main thread, with more latency.

const RING = 1 << 16;
const CORE_RATE = 48000;   // the core's mixer, and the frames it names

export class Player {
  constructor() {
    this.ctx = null;
    this.node = null;
    this.ring = null;   // the ScriptProcessorNode's ring; null with a worklet
    this.starting = null;
    this.underruns = 0;   // gaps the worklet played because nothing was written yet
    this.late = 0;        // as in the worklet: frames the sound now playing was moved later by
  }

  get running() { return this.ctx !== null && this.ctx.state === 'running'; }
  get rate() { return this.ctx ? this.ctx.sampleRate : 48000; }

  // Resolves once the context runs; safe to call on every gesture.
  start() {
    if (!this.starting) this.starting = this.create();
    else if (this.ctx && this.ctx.state === 'suspended') this.ctx.resume();
    return this.starting;
  }

  async create() {
    // The smallest buffer the browser offers: about 20 ms less from a key
    // to its sound than 'interactive' in Chromium on PulseAudio. With a
    // worklet, at the device's own rate: the worklet converts the core's
    // 48 kHz, and the browser's converter, with the buffer it keeps between
    // the two rates, is left out.
    const worklet = globalThis.isSecureContext && typeof AudioWorkletNode === 'function';
    const ctx = new AudioContext(worklet ? { latencyHint: 0 } : { latencyHint: 0, sampleRate: CORE_RATE });
    if (worklet && ctx.audioWorklet) {
      await ctx.audioWorklet.addModule(new URL('audio-worklet.js', import.meta.url));
      this.node = new AudioWorkletNode(ctx, 'drum-output', {
        numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [2],
        processorOptions: { rate: CORE_RATE },
      });
      this.node.port.onmessage = (e) => { this.underruns = e.data.underruns; };
    } else {
      this.node = this.scriptProcessor(ctx);
    }
    this.node.connect(ctx.destination);
    if (ctx.state !== 'running') await ctx.resume();
    this.ctx = ctx;
  }

  scriptProcessor(ctx) {
    const ring = new Float32Array(RING * 2);
    this.ring = ring;
    const node = ctx.createScriptProcessor(1024, 0, 2);
    node.onaudioprocess = (e) => {
      const start = Math.round(e.playbackTime * ctx.sampleRate);
      const left = e.outputBuffer.getChannelData(0);
      const right = e.outputBuffer.getChannelData(1);
      for (let i = 0; i < left.length; ++i) {
        const at = ((start + i) % RING) * 2;
        left[i] = ring[at];
        right[i] = ring[at + 1];
        ring[at] = 0;
        ring[at + 1] = 0;
      }
    };
    return node;
  }

  time() { return this.running ? this.ctx.currentTime : -1; }

  // Interleaved stereo at the context's rate, the first frame to play at
  // `frame`; an `onset` already begun moves later, as in the worklet.
  write(samples, frame, onset) {
    if (!this.running) return;
    if (this.ring) {
      const now = Math.floor(this.ctx.currentTime * this.ctx.sampleRate);
      if (onset) this.late = Math.max(0, now + 1 - frame);
      frame += this.late;
      const n = samples.length >> 1;
      for (let i = Math.max(0, now - frame); i < n && frame + i < now + RING; ++i) {
        const at = ((frame + i) % RING) * 2;
        this.ring[at] = samples[2 * i];
        this.ring[at + 1] = samples[2 * i + 1];
      }
      return;
    }
    // A copy: the core's array may be a view of its own memory, which a
    // transfer would take away from it.
    const copy = samples.slice();
    this.node.port.postMessage({ samples: copy, frame, onset }, [copy.buffer]);
  }
}
