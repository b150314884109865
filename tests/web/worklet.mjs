// The page's AudioWorklet processor under Node, with the few globals an
// AudioWorkletGlobalScope gives it: where each written frame is played.
// Usage: node worklet.mjs path/to/audio-worklet.js
import assert from 'node:assert/strict';
import { pathToFileURL } from 'node:url';

let Processor = null;
globalThis.currentFrame = 0;
globalThis.sampleRate = 48000;
globalThis.AudioWorkletProcessor = class {
  constructor() { this.port = { postMessage() {}, onmessage: null }; }
};
globalThis.registerProcessor = (name, cls) => { Processor = cls; };
await import(pathToFileURL(process.argv[2]).href);
assert.ok(Processor, 'the file registers a processor');

const QUANTUM = 128;

// A processor for a context at `rate` whose clock is at `frame`.
function make(rate = 48000, frame = 0) {
  globalThis.sampleRate = rate;
  globalThis.currentFrame = frame;
  return new Processor({ processorOptions: { rate: 48000 } });
}

// Sends a write as the page does; `value` for every sample of `frames` frames.
function write(p, frame, frames, value, onset = false) {
  p.port.onmessage({ data: { samples: new Float32Array(frames * 2).fill(value), frame, onset } });
}

// Renders `quanta` quanta from the current frame on: the left channel.
function play(p, quanta) {
  const out = [];
  for (let q = 0; q < quanta; ++q) {
    const left = new Float32Array(QUANTUM);
    const right = new Float32Array(QUANTUM);
    p.process([], [[left, right]]);
    out.push(...left);
    globalThis.currentFrame += QUANTUM;
  }
  return out;
}

const firstLoud = (samples) => samples.findIndex((x) => Math.abs(x) > 0.01);
const loudCount = (samples) => samples.filter((x) => Math.abs(x) > 0.01).length;

// Written ahead: played at its frame; a later write for frames not yet
// played replaces the earlier one; frames already played are dropped.
{
  const p = make(48000, 1024);
  write(p, 1024 + 200, 300, 0.5);
  write(p, 1024 + 400, 100, 0);  // silence over the last 100 frames
  let out = play(p, 8);
  assert.equal(firstLoud(out), 200);
  assert.equal(loudCount(out), 200);
  write(p, 1024, 500, 0.5);  // all of it in the past now
  out = play(p, 2);
  assert.equal(loudCount(out), 0);
}

// A sound after silence whose first frame has begun to play starts whole at
// the next frame, and what follows it stays joined to it; the next onset,
// written ahead, plays at its own frame again.
{
  const p = make(48000, 4096);
  write(p, 4096 - 300, 256, 0.5, true);
  write(p, 4096 - 300 + 256, 256, 0.25);
  const out = play(p, 6);
  assert.equal(firstLoud(out), 1);
  assert.equal(loudCount(out), 512);
  assert.equal(out[1 + 255], 0.5);
  assert.equal(out[1 + 256], 0.25);
  write(p, globalThis.currentFrame + 600, 128, 0.5, true);
  assert.equal(firstLoud(play(p, 8)), 600);
}

// At a device rate of 44.1 kHz the ring still holds the core's 48 kHz frames:
// a late onset loses none of its length.
{
  const p = make(44100, 44100);
  const core = Math.floor(44100 * 48000 / 44100);
  write(p, core - 1000, 4800, 0.5, true);  // 100 ms
  const out = play(p, 60);
  assert.ok(firstLoud(out) <= 2, `starts at once (${firstLoud(out)})`);
  const heard = loudCount(out);
  assert.ok(Math.abs(heard - 4410) <= 2, `lasts 100 ms (${heard} frames)`);
}

console.log('worklet: all passed');
