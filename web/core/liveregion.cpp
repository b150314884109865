#include "liveregion.h"

#include "page.h"
#include "platform/cp1250.h"
#include "platform/host.h"
#include "speech/speech.h"

namespace drum {

Status LiveRegionVoice::SetEventInterests(std::uint32_t) { return Status::ok(); }

LiveRegionVoice::~LiveRegionVoice() {
  if (timer_) host().cancelTimer(*timer_);
}

Millis LiveRegionVoice::readingTime(std::size_t characters) {
  return Millis(300 + 65 * static_cast<std::int64_t>(characters));
}

void LiveRegionVoice::end() {
  if (timer_) host().cancelTimer(*timer_);
  timer_.reset();
  const std::int32_t stream = open_;
  open_ = 0;
  if (stream && OnEndStream) OnEndStream(stream);
}

Status LiveRegionVoice::Speak(std::u16string_view text, std::uint32_t flags) {
  if (flags & SVSFPurgeBeforeSpeak) end();
  if (text.empty()) return Status::ok();
  std::string utf8 = utf16ToUtf8(text);
  if (flags & SVSFIsXML) utf8 = ssmlText(utf8);
  end();  // the region's next text cuts the reader short
  page::speak(utf8);
  const std::int32_t stream = ++streams_;
  open_ = stream;
  // Posted, as a service's reports are: the caller has set its flags first.
  host().post([this, stream] {
    if (open_ == stream && OnStartStream) OnStartStream(stream);
  });
  timer_ = host().startTimer(readingTime(text.size()), [this, stream] {
    timer_.reset();
    if (open_ == stream) end();
  });
  return Status::ok();
}

std::string ssmlText(const std::string& ssml) {
  static const std::pair<const char*, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  bool intag = false;
  for (std::size_t i = 0; i < ssml.size(); ++i) {
    const char c = ssml[i];
    if (intag) {
      intag = c != '>';
      continue;
    }
    if (c == '<') {
      intag = true;
      continue;
    }
    bool entity = false;
    if (c == '&') {
      for (const auto& [name, ch] : kEntities) {
        if (ssml.compare(i, std::char_traits<char>::length(name), name) == 0) {
          out += ch;
          i += std::char_traits<char>::length(name) - 1;
          entity = true;
          break;
        }
      }
    }
    if (!entity) out += c;
  }
  return out;
}

}  // namespace drum
