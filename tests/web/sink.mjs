// What the PulseAudio null sink played, recorded with parec from its
// monitor: loudness over stretches of time measured on this process's clock.
import { spawn } from 'node:child_process';

const RATE = 16000;

export class Sink {
  constructor(sink) {
    this.chunks = [];
    this.bytes = 0;
    this.proc = spawn('parec', ['-d', `${sink}.monitor`, `--rate=${RATE}`, '--channels=1',
      '--format=s16le', '--latency-msec=10', '--raw'], { stdio: ['ignore', 'pipe', 'inherit'] });
    // The recording's start on our clock: of all chunks, the one that came
    // soonest after its last sample was played tells it best.
    this.origin = null;
    this.proc.stdout.on('data', (d) => {
      this.chunks.push(d);
      this.bytes += d.length;
      const origin = performance.now() - (this.bytes / 2 / RATE) * 1000;
      if (this.origin === null || origin < this.origin) this.origin = origin;
    });
  }

  async ready() {
    for (let i = 0; i < 100 && this.origin === null; ++i) await new Promise((r) => setTimeout(r, 50));
    if (this.origin === null) throw new Error('parec records nothing');
  }

  samples() {
    const all = Buffer.concat(this.chunks);
    this.chunks = [all];
    return new Int16Array(all.buffer, all.byteOffset, all.length >> 1);
  }

  // RMS (0..1) between two moments of performance.now().
  rms(from, to) {
    const s = this.samples();
    const a = Math.max(0, Math.floor(((from - this.origin) / 1000) * RATE));
    const b = Math.min(s.length, Math.floor(((to - this.origin) / 1000) * RATE));
    if (b <= a) return 0;
    let sum = 0;
    for (let i = a; i < b; ++i) sum += s[i] * s[i];
    return Math.sqrt(sum / (b - a)) / 32768;
  }

  // The first moment after `from` where 5 ms of sound exceed `level`, or null.
  onset(from, level = 0.01, until = Infinity) {
    const s = this.samples();
    const win = RATE / 200;
    let i = Math.max(0, Math.floor(((from - this.origin) / 1000) * RATE));
    const end = Math.min(s.length, Number.isFinite(until) ? Math.floor(((until - this.origin) / 1000) * RATE) : s.length);
    for (; i + win <= end; i += win / 5) {
      let sum = 0;
      for (let j = i; j < i + win; ++j) sum += s[j] * s[j];
      if (Math.sqrt(sum / win) / 32768 > level) return this.origin + (i / RATE) * 1000;
    }
    return null;
  }

  stop() { this.proc.kill(); }
}
