// The page's calls that yield to the browser (Asyncify): only the browser's
// module has them, not drumrun for Node.
#include <emscripten.h>

#include <cstdlib>

#include "page.h"

namespace drum::page {
namespace {

EM_ASYNC_JS(void, jsWait, (int millis), {
  await new Promise(function(resolve) {
    if (Module.drumQueue && Module.drumQueue.length) return resolve();
    var timer = setTimeout(function() {
      Module.drumWake = null;
      resolve();
    }, millis);
    Module.drumWake = function() {
      clearTimeout(timer);
      Module.drumWake = null;
      resolve();
    };
  });
});

// A message to the page itself comes back as soon as the browser has run
// what is pending, where a nested setTimeout waits at least 4 ms.
EM_ASYNC_JS(void, jsYield, (), {
  await new Promise(function(resolve) {
    var channel = Module.drumChannel || (Module.drumChannel = new MessageChannel());
    channel.port1.onmessage = function() { resolve(); };
    channel.port2.postMessage(0);
  });
});

EM_ASYNC_JS(int, jsStorageGet, (const char* name, unsigned char** out), {
  var bytes = await globalThis.drumPage.storageGet(UTF8ToString(name));
  if (!bytes) return -1;
  bytes = new Uint8Array(bytes);
  var at = _malloc(bytes.length || 1);
  HEAPU8.set(bytes, at);
  HEAP32[out >> 2] = at;
  return bytes.length;
});

EM_ASYNC_JS(char*, jsStoragePut, (const char* name, const unsigned char* bytes, int length), {
  var why = await globalThis.drumPage.storagePut(UTF8ToString(name), HEAPU8.slice(bytes, bytes + length));
  return allocateUTF8(why ? String(why) : "");
});

}  // namespace

void wait(int millis) { jsWait(millis); }

void yieldNow() { jsYield(); }

std::optional<std::string> storageGet(const std::string& name) {
  if (!present()) return std::nullopt;
  unsigned char* at = nullptr;
  const int length = jsStorageGet(name.c_str(), &at);
  if (length < 0) return std::nullopt;
  std::string out(reinterpret_cast<const char*>(at), static_cast<std::size_t>(length));
  std::free(at);
  return out;
}

std::string storagePut(const std::string& name, const std::string& bytes) {
  if (!present()) return {};
  char* why = jsStoragePut(name.c_str(), reinterpret_cast<const unsigned char*>(bytes.data()),
                           static_cast<int>(bytes.size()));
  std::string text(why);
  std::free(why);
  return text;
}

}  // namespace drum::page
