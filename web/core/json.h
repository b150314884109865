// JSON texts for the page's calls: strings from UTF-8, arrays and objects
// written by hand.
#pragma once
#include <string>
#include <vector>

namespace drum::json {

std::string str(const std::string& utf8);
inline std::string num(double v) { return std::to_string(v); }
inline std::string num(int v) { return std::to_string(v); }
inline std::string boolean(bool v) { return v ? "true" : "false"; }
std::string array(const std::vector<std::string>& items);
// {"k": v, ...} from alternating keys and already written values.
std::string object(const std::vector<std::pair<std::string, std::string>>& fields);

}  // namespace drum::json
