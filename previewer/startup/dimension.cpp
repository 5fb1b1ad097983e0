#include "previewer/startup/dimension.h"

#include <array>

#include "previewer/startup/number_syntax.h"

namespace mox {
namespace {

struct UnitName {
  char Name[3];
  DimensionUnit Unit;
};

constexpr std::array<UnitName, 10> kUnits{{
    {"px", DimensionUnit::Px},
    {"pt", DimensionUnit::Pt},
    {"pc", DimensionUnit::Pc},
    {"in", DimensionUnit::In},
    {"bp", DimensionUnit::Bp},
    {"cm", DimensionUnit::Cm},
    {"mm", DimensionUnit::Mm},
    {"dd", DimensionUnit::Dd},
    {"cc", DimensionUnit::Cc},
    {"sp", DimensionUnit::Sp},
}};

constexpr double kInchesPerPoint = 1.0 / 72.27;
constexpr double kPointsPerDidot = 1238.0 / 1157.0;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::optional<DimensionUnit> FindUnit(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  for (const UnitName& unit : kUnits) {
    if (Lower(text[0]) == unit.Name[0] && Lower(text[1]) == unit.Name[1]) {
      return unit.Unit;
    }
  }
  return std::nullopt;
}

}  // namespace

double InchesPerUnit(DimensionUnit unit) {
  switch (unit) {
    case DimensionUnit::Px: return 0.0;
    case DimensionUnit::Pt: return kInchesPerPoint;
    case DimensionUnit::Pc: return 12.0 * kInchesPerPoint;
    case DimensionUnit::In: return 1.0;
    case DimensionUnit::Bp: return 1.0 / 72.0;
    case DimensionUnit::Cm: return 1.0 / 2.54;
    case DimensionUnit::Mm: return 1.0 / 25.4;
    case DimensionUnit::Dd: return kPointsPerDidot * kInchesPerPoint;
    case DimensionUnit::Cc: return 12.0 * kPointsPerDidot * kInchesPerPoint;
    case DimensionUnit::Sp: return kInchesPerPoint / 65536.0;
  }
  return 0.0;
}

double DimensionToPixels(const Dimension& dimension, double dots_per_inch) {
  if (dimension.Unit == DimensionUnit::Px) return dimension.Value;
  return dimension.Value * InchesPerUnit(dimension.Unit) * dots_per_inch;
}

std::optional<Dimension> ParseDimension(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsOptionSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t number_start = i;
  while (i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.')) ++i;
  // A bare unit ("mm") or a bare sign means one of that unit.
  double value = 1.0;
  if (i > number_start) value = ParseDecimalPrefix(text.substr(number_start, i - number_start));
  if (negative) value = -value;

  // White space may stand between the number and the unit, and after it, as
  // TeX macros that write em: specials tend to leave it.
  while (i < text.size() && IsOptionSpace(text[i])) ++i;
  std::size_t end = text.size();
  while (end > i && IsOptionSpace(text[end - 1])) --end;

  Dimension dimension{value, DimensionUnit::Cm};
  const std::string_view unit_text = text.substr(i, end - i);
  if (!unit_text.empty()) {
    const std::optional<DimensionUnit> unit = FindUnit(unit_text);
    if (!unit) return std::nullopt;
    dimension.Unit = *unit;
  }
  return dimension;
}

}  // namespace mox
