#include "page.h"

#include <emscripten.h>

#include <cstdlib>

#include "json.h"

namespace drum::page {
namespace {

EM_JS(int, jsPresent, (), { return typeof globalThis.drumPage === "object" && globalThis.drumPage !== null ? 1 : 0; });

EM_JS(void, jsCall, (const char* name, const char* args), {
  var f = globalThis.drumPage[UTF8ToString(name)];
  if (typeof f === "function") f.apply(globalThis.drumPage, JSON.parse(UTF8ToString(args)));
});

EM_JS(double, jsAudioTime, (), {
  var p = globalThis.drumPage;
  return p && p.audioTime ? p.audioTime() : -1;
});

EM_JS(void, jsAudioWrite, (const float* stereo, int frames, double frame, int onset), {
  var first = stereo >> 2;
  globalThis.drumPage.audioWrite(HEAPF32.slice(first, first + frames * 2), frame, onset !== 0);
});

EM_JS(int, jsNextEvent, (), {
  var q = Module.drumQueue;
  if (!q || !q.length) return 0;
  Module.drumEvent = q.shift();
  return 1;
});

EM_JS(char*, jsText, (const char* field), {
  var v = Module.drumEvent ? Module.drumEvent[UTF8ToString(field)] : undefined;
  return allocateUTF8(v === undefined || v === null ? "" : String(v));
});

EM_JS(double, jsNumber, (const char* field), {
  var v = Module.drumEvent ? Module.drumEvent[UTF8ToString(field)] : undefined;
  if (typeof v === "boolean") return v ? 1 : 0;
  v = Number(v);
  return isFinite(v) ? v : 0;
});

EM_JS(int, jsBytesLength, (const char* field), {
  var v = Module.drumEvent ? Module.drumEvent[UTF8ToString(field)] : undefined;
  return v && v.length !== undefined ? v.length : 0;
});

EM_JS(void, jsBytes, (const char* field, unsigned char* to), {
  HEAPU8.set(new Uint8Array(Module.drumEvent[UTF8ToString(field)]), to);
});

EM_JS(void, jsDownload, (const char* name, const unsigned char* bytes, int length), {
  globalThis.drumPage.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + length));
});

EM_JS(void, jsRamImage, (const unsigned char* image), {
  if (globalThis.drumPage.ramImage) globalThis.drumPage.ramImage(image);
});

std::string taken(char* text) {
  std::string s(text);
  std::free(text);
  return s;
}

}  // namespace

bool present() {
  static const bool there = jsPresent() != 0;
  return there;
}

void call(const char* name, const std::string& args) {
  if (present()) jsCall(name, args.c_str());
}

double audioTime() { return present() ? jsAudioTime() : -1; }

void audioWrite(const float* stereo, int frames, double frame, bool onset) {
  if (present()) jsAudioWrite(stereo, frames, frame, onset ? 1 : 0);
}

void speak(const std::string& text) { call("speak", json::array({json::str(text)})); }

bool nextEvent() { return jsNextEvent() != 0; }
std::string text(const char* field) { return taken(jsText(field)); }
double number(const char* field) { return jsNumber(field); }
bool flag(const char* field) { return jsNumber(field) != 0; }

std::string bytes(const char* field) {
  std::string out(static_cast<std::size_t>(jsBytesLength(field)), '\0');
  if (!out.empty()) jsBytes(field, reinterpret_cast<unsigned char*>(out.data()));
  return out;
}

void download(const std::string& name, const std::string& bytes) {
  if (present())
    jsDownload(name.c_str(), reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
}

void ramImage(const std::uint8_t* image) {
  if (present()) jsRamImage(image);
}

}  // namespace drum::page
