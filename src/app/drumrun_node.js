// drumrun under Node: WebAssembly compiled by Liftoff alone. A run plays one
// script to its end, most of it inside two calls made once (the program's
// main loop and the sound bank's reader), and V8 puts a function's optimized
// code to use only from its next call on: optimizing those two with TurboFan
// took 0.1 to 0.2 s of CPU and was never used. Liftoff alone is the faster
// choice up to scripts of about 30,000 keys (bench/README.md).
require('v8').setFlagsFromString('--liftoff-only');
