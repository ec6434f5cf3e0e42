#include "engine/render/private_fonts.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>

#include "engine/render/font_coverage.h"

namespace fs = std::filesystem;

namespace tallowmere::engine {
namespace {

// The rendering settings are those of a standard desktop configuration (slight hinting,
// grey antialiasing), so that pictures come out as the windows draw them.
std::string FontConfiguration(const std::string& fontFolder) {
  return "<?xml version=\"1.0\"?>\n"
         "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
         "<fontconfig>\n"
         "  <dir>" +
         fontFolder +
         "</dir>\n"
         "  <cachedir>/cache</cachedir>\n"
         "  <alias binding=\"same\"><family>Arial</family><accept><family>Liberation Sans</family></accept></alias>\n"
         "  <match target=\"pattern\">\n"
         "    <edit name=\"hintstyle\" mode=\"append\"><const>hintslight</const></edit>\n"
         "    <edit name=\"antialias\" mode=\"append\"><bool>true</bool></edit>\n"
         "    <edit name=\"lcdfilter\" mode=\"append\"><const>lcddefault</const></edit>\n"
         "  </match>\n"
         "</fontconfig>\n";
}

// Writes text at path unless the file holds it already; the new file replaces the old in
// one rename, so that runs side by side never read half a file.
bool WriteIfChanged(const fs::path& path, const std::string& text) {
  std::ifstream current(path);
  const std::string held{std::istreambuf_iterator<char>(current), std::istreambuf_iterator<char>()};
  if (held == text) return true;
  const fs::path fresh = path.string() + "." + std::to_string(::getpid());
  std::ofstream(fresh) << text;
  std::error_code ec;
  fs::rename(fresh, path, ec);
  if (ec) fs::remove(fresh, ec);
  return !ec;
}

std::string UserCacheFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache) return cache;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.cache";
  return "";
}

FcConfig* LoadConfig(const std::string& root) {
  FcConfig* config = FcConfigCreate();
  if (!config) return nullptr;
  // The configuration file's path, like every path it names, lies below the root.
  FcConfigSetSysRoot(config, reinterpret_cast<const FcChar8*>(root.c_str()));
  if (FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>("/etc/fonts/fonts.conf"), FcTrue) &&
      FcConfigBuildFonts(config)) {
    return config;
  }
  FcConfigDestroy(config);
  return nullptr;
}

}  // namespace

std::string PrivateFontRoot(const std::string& cacheFolder, const std::string& fontFolder) {
  std::error_code ec;
  if (cacheFolder.empty() || !fs::is_directory(fontFolder, ec)) return "";
  // The root mirrors the system's paths: fontconfig finds the configuration and the font
  // folder below it, the latter as a link to the real one.
  const fs::path root = fs::path(cacheFolder) / "tallowmere" / "fontconfig";
  const fs::path fonts = root / fs::path(fontFolder).relative_path();
  fs::create_directories(root / "etc" / "fonts", ec);
  fs::create_directories(root / "cache", ec);
  fs::create_directories(fonts.parent_path(), ec);
  if (!fs::exists(fonts, ec)) fs::create_directory_symlink(fontFolder, fonts, ec);
  if (!fs::is_directory(fonts, ec)) return "";
  if (!WriteIfChanged(root / "etc" / "fonts" / "fonts.conf", FontConfiguration(fontFolder))) return "";
  return root.string();
}

std::string PrivateFontRootFor(const WorkbookData& workbook) {
  // A configuration the user chose is theirs to keep.
  if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_SYSROOT")) return "";
  if (!LiberationSansServes(workbook)) return "";
  return PrivateFontRoot(UserCacheFolder(), TALLOWMERE_FONT_DIR);
}

FcConfig* PrivateFontConfig(const WorkbookData& workbook) {
  const std::string root = PrivateFontRootFor(workbook);
  if (root.empty()) return nullptr;
  struct Release {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
  };
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<FcConfig, Release>> configs;
  const std::lock_guard<std::mutex> lock(mutex);
  auto& config = configs[root];
  if (!config) config.reset(LoadConfig(root));
  return config.get();
}

}  // namespace tallowmere::engine
