#pragma once

#include <memory>
#include <string>

namespace lb {

// Converts Chinese text between Simplified and Traditional characters with OpenCC.
class ScriptConverter {
  public:
    // `config` is one of OpenCC's configurations, "s2tw" or "t2s". Throws lb::Error when
    // OpenCC cannot load it.
    explicit ScriptConverter(const std::string& config);
    ~ScriptConverter();
    ScriptConverter(const ScriptConverter&) = delete;
    ScriptConverter& operator=(const ScriptConverter&) = delete;

    // `utf8` must be valid UTF-8.
    std::string Convert(const std::string& utf8) const;

  private:
    void* handle_;
};

} // namespace lb
