#include "tools/icon_raster/svg_shapes.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

namespace plinth::icon {
namespace {

using Attributes = std::map<std::string, std::string, std::less<>>;

// Bounds what a broken or hostile file can make the tool do.
constexpr std::size_t kMaxRects = 10000;
constexpr double kMaxCoordinate = 100000;

// The name="value" pairs of one tag's text (between the name and '>').
Attributes ReadAttributes(std::string_view tag) {
  Attributes attributes;
  std::size_t at = 0;
  while (true) {
    const std::size_t equals = tag.find('=', at);
    if (equals == std::string_view::npos) break;
    std::size_t name_end = equals;
    while (name_end > at && tag[name_end - 1] == ' ') --name_end;
    std::size_t name_start = name_end;
    while (name_start > at && tag[name_start - 1] != ' ' && tag[name_start - 1] != '\n' &&
           tag[name_start - 1] != '\t') {
      --name_start;
    }
    const std::size_t open = tag.find_first_of("\"'", equals);
    if (open == std::string_view::npos) throw SvgError("attribute without a quoted value");
    const std::size_t close = tag.find(tag[open], open + 1);
    if (close == std::string_view::npos) throw SvgError("unterminated attribute value");
    attributes[std::string(tag.substr(name_start, name_end - name_start))] =
        std::string(tag.substr(open + 1, close - open - 1));
    at = close + 1;
  }
  return attributes;
}

double Number(const Attributes& attributes, std::string_view name, double fallback) {
  const auto found = attributes.find(name);
  if (found == attributes.end()) return fallback;
  double value = 0;
  const std::string& text = found->second;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value >= -kMaxCoordinate) ||
      !(value <= kMaxCoordinate)) {
    throw SvgError("not a number: " + std::string(name) + "=\"" + text + "\"");
  }
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Colour ReadColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#' ||
      std::any_of(text.begin() + 1, text.end(), [](char c) { return HexDigit(c) < 0; })) {
    throw SvgError("a fill must be #rrggbb: \"" + text + "\"");
  }
  const auto byte = [&](std::size_t at) {
    return static_cast<std::uint8_t>(HexDigit(text[at]) * 16 + HexDigit(text[at + 1]));
  };
  return {byte(1), byte(3), byte(5)};
}

RoundedRect ReadRect(const Attributes& attributes, const std::optional<Colour>& group_fill) {
  RoundedRect rect;
  rect.x = Number(attributes, "x", 0);
  rect.y = Number(attributes, "y", 0);
  rect.width = Number(attributes, "width", 0);
  rect.height = Number(attributes, "height", 0);
  // One of rx and ry stands for both when the other is missing.
  const double rx = Number(attributes, "rx", Number(attributes, "ry", 0));
  rect.radius = std::clamp(rx, 0.0, std::min(rect.width, rect.height) / 2);
  if (const auto fill = attributes.find("fill"); fill != attributes.end()) {
    rect.fill = ReadColour(fill->second);
  } else if (group_fill) {
    rect.fill = *group_fill;
  }
  return rect;
}

}  // namespace

IconShapes ReadSvgShapes(std::string_view svg) {
  IconShapes shapes;
  std::vector<std::optional<Colour>> group_fills{std::nullopt};
  std::size_t at = 0;
  while ((at = svg.find('<', at)) != std::string_view::npos) {
    const std::size_t end = svg.find('>', at);
    if (end == std::string_view::npos) throw SvgError("unterminated tag");
    const std::string_view tag = svg.substr(at + 1, end - at - 1);
    at = end + 1;
    // A closing tag's name starts with its slash; an empty tag's ends there.
    const std::size_t name_end = tag.find_first_of(" \t\r\n/", 1);
    const std::string_view name = tag.substr(0, name_end);
    const std::string_view rest =
        name_end == std::string_view::npos ? std::string_view() : tag.substr(name_end);
    if (name == "svg") {
      const Attributes attributes = ReadAttributes(rest);
      shapes.width = Number(attributes, "width", 0);
      shapes.height = Number(attributes, "height", 0);
    } else if (name == "g") {
      const Attributes attributes = ReadAttributes(rest);
      const auto fill = attributes.find("fill");
      group_fills.push_back(fill != attributes.end() ? std::optional(ReadColour(fill->second))
                                                     : group_fills.back());
      if (!tag.empty() && tag.back() == '/') group_fills.pop_back();
    } else if (name == "/g") {
      if (group_fills.size() == 1) throw SvgError("</g> without <g>");
      group_fills.pop_back();
    } else if (name == "rect") {
      if (shapes.rects.size() == kMaxRects) throw SvgError("too many rectangles");
      shapes.rects.push_back(ReadRect(ReadAttributes(rest), group_fills.back()));
    }
  }
  if (!(shapes.width > 0) || !(shapes.height > 0)) {
    throw SvgError("the <svg> element has no width and height");
  }
  return shapes;
}

}  // namespace plinth::icon
