#include "engine/output/gui_layer.h"

#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "engine/output/font_coverage.h"

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

void UsePrivateFonts() {
  // A configuration the user chose is theirs to keep.
  if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_SYSROOT")) return;
  const std::string root = PrivateFontRoot(UserCacheFolder(), TALLOWMERE_FONT_DIR);
  if (!root.empty()) setenv("FONTCONFIG_SYSROOT", root.c_str(), 1);
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

void EnsureGuiLayer(const WorkbookData& workbook) {
  if (QCoreApplication::instance()) return;
  if (LiberationSansServes(workbook)) UsePrivateFonts();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "tallowmere";
  static char* argv[] = {name, nullptr};
  // Kept until the program ends: Qt's own clean-up at exit expects it to outlive the
  // drawings made with it.
  static QGuiApplication* const application = new QGuiApplication(argc, argv);
  (void)application;
}

}  // namespace tallowmere::engine
