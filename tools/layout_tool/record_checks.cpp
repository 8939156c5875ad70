#include "tools/layout_tool/record_checks.h"

#include <array>
#include <filesystem>

#include "platform/common/caption_fit.h"
#include "platform/common/windows1252.h"
#include "platform/form_geometry.h"
#include "src/keyboard/button_key.h"
#include "src/layout/layout_loader.h"
#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"
#include "tools/layout_tool/layout_reading.h"
#include "tools/layout_tool/quoted_text.h"

namespace plinth::layout_tool {
namespace {

constexpr int kCentreCell = 25;  // the panels; no button

constexpr std::array<std::string_view, 9> kDefaultActions = {
    "MOVE",       "BEGINEXTEND",     "CANCELEXTEND", "CAPSLOCK", "SHIFT1LOCK",
    "SHIFT2LOCK", "TOGGLESELECTING", "WORD",         "SCAN"};
constexpr std::array<std::string_view, 2> kExtendActions = {"TERMINATE", "LOADINI"};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  for (const std::string_view w : words) {
    if (w == word) return true;
  }
  return false;
}

// The line of `first`, or of `second` when nothing in the file set `first`.
int LineOf(int first, int second) { return first != kNoLine ? first : second; }

// For what this file makes of a value from Default.ini: the Type=Default
// line that brought it in.
int LineHere(int line, const RecordOrigins& from) {
  return line == kFromDefaultLayout ? from.default_line : line;
}

class RecordChecker {
 public:
  RecordChecker(const TButtonArray& table, const FieldOrigins& origins,
                const TLayerSuffix& layer_suffix, const CheckContext& context, Findings& findings)
      : table_(table),
        origins_(origins),
        layer_suffix_(layer_suffix),
        context_(context),
        findings_(findings) {}

  void Run() {
    for (int layer = 0; layer < kLayerCount; ++layer) {
      for (int cell = 1; cell <= kCellCount; ++cell) {
        if (cell == kCentreCell) continue;
        layer_ = layer;
        cell_ = cell;
        CheckRecord(table_.at(layer, cell), origins_.at(layer, cell));
      }
    }
  }

 private:
  std::string SlotName() const { return ButtonSectionName(layer_suffix_, layer_, cell_); }

  void CheckRecord(const TButtonRec& rec, const RecordOrigins& from) {
    CheckCaptionFits(rec, from);
    const std::string type = AsciiUpper(rec.Type);
    if (type == "ACTION") {
      CheckAction(rec, from);
    } else if (type == "KEY") {
      CheckModifierWord(rec, from);
      CheckCharacterKey(rec, from);
      CheckLostFlags(rec, from, type);
    } else if (type == "VIRTUALKEY" || type == "CURSORKEY") {
      CheckModifierWord(rec, from);
      CheckNamedKey(rec, from, type);
      CheckLostFlags(rec, from, type);
    }
  }

  // Captions are judged in a fixed-width face at the designed size, where
  // they have the least room; only where the section sets them.
  void CheckCaptionFits(const TButtonRec& rec, const RecordOrigins& from) {
    const int line = from[Field::Caption];
    if (line == kNoLine || (layer_ > 0 && line == SourceOrigins()[Field::Caption])) return;
    const platform::FormGeometry designed;
    const std::string caption = platform::Cp1252ToUtf8(rec.Caption);
    const platform::FittedCaption fitted = platform::FitCaption(
        caption,
        platform::ButtonCaptionRoom(designed.button_size, designed.button_font,
                                    designed.smallest_button_font),
        platform::MonospaceWidth, "\xE2\x80\xA6", platform::TextEncoding::Utf8);
    if (fitted.whole) return;
    findings_.Add(line, SlotName() + " Caption \"" + caption +
                            "\" cannot be shown whole at 100%: the button shows \"" + fitted.text +
                            "\"");
  }

  const TButtonRec& SourceRecord() const { return table_.at(SourceLayer(), cell_); }
  const RecordOrigins& SourceOrigins() const { return origins_.at(SourceLayer(), cell_); }
  int SourceLayer() const { return layer_ == 3 ? 2 : 0; }

  void CheckAction(const TButtonRec& rec, const RecordOrigins& from) {
    const std::string handler = AsciiUpper(rec.Handler);
    const int handler_line = LineOf(from[Field::Handler], from[Field::Type]);
    if (handler != "DEFAULT" && handler != "EXTEND") {
      findings_.Add(handler_line,
                    handler.empty()
                        ? "an ACTION without a Handler does nothing: it must be DEFAULT or EXTEND"
                        : "unknown Handler " + ShortQuoted(rec.Handler) +
                              ": an ACTION does nothing unless its Handler is DEFAULT or EXTEND");
      return;
    }
    const bool is_default = handler == "DEFAULT";
    const std::string action = AsciiUpper(rec.Action);
    const int action_line = LineOf(from[Field::Action], handler_line);
    if (!(is_default ? IsOneOf(action, kDefaultActions) : IsOneOf(action, kExtendActions))) {
      std::string message = "unknown " + handler + " action " + ShortQuoted(rec.Action) +
                            ": a click shows \"n/a " + (is_default ? "default" : "extend") +
                            " action: " + action.substr(0, 40) + "\"";
      if (is_default ? IsOneOf(action, kExtendActions) : IsOneOf(action, kDefaultActions)) {
        message +=
            " (" + action + " belongs to Handler=" + (is_default ? "EXTEND" : "DEFAULT") + ")";
      }
      findings_.Add(action_line, message);
    } else if (action == "MOVE") {
      CheckMoveWords(rec, from);
    } else if (action == "LOADINI") {
      CheckLoadedLayout(rec, from, action_line);
    } else if (action == "WORD" && SuggestionOfButton(rec) == 0) {
      findings_.Add(LineOf(from[Field::Param1], action_line),
                    "WORD with Param1 " + ShortQuoted(rec.Param[0]) +
                        ", not a number from 1 to 8: a click shows \"Invalid WORD button\"");
    }
  }

  void CheckMoveWords(const TButtonRec& rec, const RecordOrigins& from) {
    const std::string vertical = AsciiUpper(rec.Param[0]);
    if (vertical == "POINTER") return;
    if (!vertical.empty() && vertical != "TOP" && vertical != "BOTTOM") {
      findings_.Add(from[Field::Param1], "MOVE with Param1 " + ShortQuoted(rec.Param[0]) +
                                             ", neither TOP nor POINTER: the window docks at "
                                             "the bottom");
    }
    const std::string horizontal = AsciiUpper(rec.Param[1]);
    if (!horizontal.empty() && horizontal != "LEFT" && horizontal != "RIGHT") {
      findings_.Add(from[Field::Param2], "MOVE with Param2 " + ShortQuoted(rec.Param[1]) +
                                             ", not LEFT: the window docks at the right");
    }
  }

  void CheckLoadedLayout(const TButtonRec& rec, const RecordOrigins& from, int action_line) {
    const std::string& name = rec.Param[0];
    const int line = LineOf(from[Field::Param1], action_line);
    if (name.empty()) {
      findings_.Add(line, "LOADINI without Param1 does nothing");
      return;
    }
    if (!FindLayoutFile(context_.layout_folders, name)) {
      findings_.Add(line, "LOADINI of " + ShortQuoted(name) + ": there is no " +
                              ShortQuoted(name + ".ini") + " in " +
                              FolderList(context_.layout_folders) +
                              ", so a click shows \"Inifile not found -" +
                              platform::Cp1252ToUtf8(name.substr(0, 40)) + "\"");
    }
  }

  void CheckModifierWord(const TButtonRec& rec, const RecordOrigins& from) {
    const std::string word = AsciiUpper(rec.Action);
    if (word.empty() || word == "CTRL" || word == "ALT" || word == "CTRLALT") return;
    findings_.Add(from[Field::Action], "unknown modifier word " + ShortQuoted(rec.Action) +
                                           ": only CTRL, ALT and CTRLALT add a modifier to a key");
  }

  // The text a key button sends, and the line that gave it.
  static std::pair<std::string, int> KeyText(const TButtonRec& rec, const RecordOrigins& from) {
    if (!rec.KeyString.empty()) return {rec.KeyString, from[Field::KeyString]};
    return {rec.Caption, from[Field::Caption]};
  }

  void CheckNamedKey(const TButtonRec& rec, const RecordOrigins& from, const std::string& type) {
    const auto [text, text_line] = KeyText(rec, from);
    const std::string name = platform::Cp1252Upper(text);
    if (LookupKeyName(std::string_view(name).substr(0, kMaxKeyNameLength)) == NotFoundKey) {
      const int line = LineOf(text_line, from[Field::Type]);
      if (text.empty()) {
        findings_.Add(line, "a " + type +
                                " without KeyString or Caption: a click shows "
                                "\"Invalid Vkey \"");
      } else {
        // Upper-cased as looked up: the Shift layers' capitals say the same.
        std::string message = ShortQuoted(name) + " is not a key name: a click shows " +
                              "\"Invalid Vkey " + platform::Cp1252ToUtf8(name.substr(0, 40)) + "\"";
        if (name.size() == 1) message += " (a single character is a KEY button)";
        findings_.Add(line, message);
      }
    }
    if (type == "CURSORKEY" && rec.Shifted) {
      findings_.Add(from[Field::Shifted],
                    "Shifted has no effect on a CURSORKEY, which gets Shift in selecting mode "
                    "only (a VIRTUALKEY takes Shifted)");
    }
  }

  void CheckCharacterKey(const TButtonRec& rec, const RecordOrigins& from) {
    const auto [text, text_line] = KeyText(rec, from);
    if (text.empty()) {
      if (from[Field::Type] == kFromDefaultLayout) return;  // Default.ini's own blank
      findings_.Add(from.section_line,
                    std::string("[") + SlotName() +
                        "] is a KEY without KeyString or Caption and types nothing (an empty "
                        "Type makes a blank button)");
      return;
    }
    const std::string upper = platform::Cp1252Upper(text);
    if (text.size() > 1) {
      std::string message = "a KEY types only the first character of " + ShortQuoted(text) + ", " +
                            QuotedText(upper.substr(0, 1));
      if (LookupKeyName(std::string_view(upper).substr(0, kMaxKeyNameLength)) != NotFoundKey) {
        message += " (" + upper + " is a key name for a VIRTUALKEY)";
      }
      findings_.Add(text_line, message);
    }
    // Letters are sent as their own key codes, which type the small letter
    // unless Shift is added.
    const bool capital_label = rec.Caption.size() == 1 && rec.Caption[0] >= 'A' &&
                               rec.Caption[0] <= 'Z' && upper.front() == rec.Caption[0];
    if (capital_label && !rec.Shifted && rec.Action.empty() &&
        !LostFlag(rec, from, Field::Shifted)) {
      const std::string small(1, static_cast<char>(rec.Caption[0] - 'A' + 'a'));
      findings_.Add(LineHere(LineOf(from.section_line, from[Field::Caption]), from),
                    SlotName() + " shows \"" + rec.Caption + "\" but types \"" + small +
                        "\": give [" + SlotName() + "] Shifted=1");
    }
  }

  // Shifted and Control are the two values a layer does not take over from
  // the layer below: a key that stays the same loses them silently.
  bool LostFlag(const TButtonRec& rec, const RecordOrigins& from, Field field) const {
    if (layer_ == 0 || from[field] != kNoLine) return false;
    const TButtonRec& source = SourceRecord();
    const bool source_flag = field == Field::Shifted ? source.Shifted : source.Control;
    const bool flag = field == Field::Shifted ? rec.Shifted : rec.Control;
    return source_flag && !flag && AsciiUpper(source.Type) == AsciiUpper(rec.Type) &&
           KeyText(source, SourceOrigins()).first == KeyText(rec, from).first;
  }

  void CheckLostFlags(const TButtonRec& rec, const RecordOrigins& from, const std::string& type) {
    const RecordOrigins& source_from = SourceOrigins();
    auto report = [&](Field field, std::string_view what) {
      if (!LostFlag(rec, from, field)) return;
      findings_.Add(LineHere(source_from[field], source_from),
                    SlotName() + " sends the same key without " + std::string(what) + ": " +
                        std::string(kFieldKeys[static_cast<std::size_t>(field)]) +
                        " is not inherited; give [" + SlotName() + "] " +
                        std::string(kFieldKeys[static_cast<std::size_t>(field)]) + "=1");
    };
    if (type != "CURSORKEY") report(Field::Shifted, "Shift");
    report(Field::Control, "Ctrl");
  }

  const TButtonArray& table_;
  const FieldOrigins& origins_;
  const TLayerSuffix& layer_suffix_;
  const CheckContext& context_;
  Findings& findings_;
  int layer_ = 0;
  int cell_ = 0;
};

}  // namespace

void CheckRecords(const TButtonArray& table, const FieldOrigins& origins,
                  const TLayerSuffix& layer_suffix, const CheckContext& context,
                  Findings& findings) {
  RecordChecker(table, origins, layer_suffix, context, findings).Run();
}

}  // namespace plinth::layout_tool
