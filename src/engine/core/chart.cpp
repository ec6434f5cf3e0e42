#include "engine/core/chart.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

namespace tallowmere::engine {
namespace {

constexpr std::string_view kMark = "chart/1";
constexpr char kEscape = '\\';
constexpr char kFieldEnd = ';';
constexpr char kPartEnd = '|';

void Append(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == kEscape || c == kFieldEnd || c == kPartEnd) out += kEscape;
    out += c;
  }
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Splits text at unescaped separators, keeping the escapes (a field is split again into
// its parts); nothing for a text that ends in a lone escape.
std::optional<std::vector<std::string>> Split(std::string_view text, char separator) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kEscape) {
      if (++i == text.size()) return std::nullopt;
      parts.back() += kEscape;
      parts.back() += text[i];
    } else if (text[i] == separator) {
      parts.emplace_back();
    } else {
      parts.back() += text[i];
    }
  }
  return parts;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) out += text[i] == kEscape && i + 1 < text.size() ? text[++i] : text[i];
  return out;
}

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<ChartSeries> ParseSeries(const std::string& text) {
  const auto parts = Split(text, kPartEnd);
  if (!parts || parts->size() != 3) return std::nullopt;
  return ChartSeries{Unescaped((*parts)[0]), Unescaped((*parts)[1]), Unescaped((*parts)[2])};
}

bool Apply(ChartData& chart, const std::string& key, const std::string& value) {
  if (key == "s") {
    const auto series = ParseSeries(value);
    if (series) chart.series.push_back(*series);
    return series.has_value();
  }
  if (key == "t") return chart.title = Unescaped(value), true;
  const std::optional<double> number = ParseNumber(value);
  if (!number) return false;
  const std::map<std::string, double*> numbers{
      {"x", &chart.offsetX}, {"y", &chart.offsetY}, {"w", &chart.width}, {"h", &chart.height}, {"a", &chart.crossesAt}};
  if (const auto it = numbers.find(key); it != numbers.end()) return *it->second = *number, true;
  if (key == "r" || key == "c") {
    if (*number < 1 || *number > 1e6 || *number != std::trunc(*number)) return false;
    (key == "r" ? chart.row : chart.column) = static_cast<int>(*number);
    return true;
  }
  if (key == "l" || key == "o") return (key == "l" ? chart.legend : chart.labelsLow) = *number != 0, true;
  return false;
}

}  // namespace

std::string ChartNote(const ChartData& chart) {
  std::string note(kMark);
  const auto field = [&](const char* key, const std::string& value) { note += ";" + std::string(key) + "=" + value; };
  field("r", std::to_string(chart.row));
  field("c", std::to_string(chart.column));
  field("x", Number(chart.offsetX));
  field("y", Number(chart.offsetY));
  field("w", Number(chart.width));
  field("h", Number(chart.height));
  field("a", Number(chart.crossesAt));
  field("l", chart.legend ? "1" : "0");
  field("o", chart.labelsLow ? "1" : "0");
  std::string title;
  Append(title, chart.title);
  field("t", title);
  for (const ChartSeries& series : chart.series) {
    std::string parts;
    Append(parts, series.name);
    parts += kPartEnd;
    Append(parts, series.values);
    parts += kPartEnd;
    Append(parts, series.categories);
    field("s", parts);
  }
  return note;
}

std::optional<ChartData> ParseChartNote(std::string_view note) {
  const auto fields = Split(note, kFieldEnd);
  if (!fields || fields->front() != kMark) return std::nullopt;
  ChartData chart;
  for (size_t i = 1; i < fields->size(); ++i) {
    const std::string& field = (*fields)[i];
    const size_t equals = field.find('=');
    if (equals == std::string::npos || !Apply(chart, field.substr(0, equals), field.substr(equals + 1)))
      return std::nullopt;
  }
  return chart;
}

}  // namespace tallowmere::engine
