#include "shell/checks.h"

#include "text/cp1250.h"

namespace tsd {

std::string readfailedtext(std::string_view name) {
  return cp("Błąd odczytu wartości ") + std::string(name);
}

std::string comparedtext(std::string_view a, std::string_view relation, std::string_view b) {
  return cp("Wartość ") + std::string(a) + " " + std::string(relation) + cp(" od wartości ") +
         std::string(b);
}

void checkoutputrange(double tmin, double tmax, double t0, CheckMessages& messages) {
  if (tmin >= tmax) messages.push_back(comparedtext("Tmin", ">=", "Tmax"));
  if (tmin <= t0) messages.push_back(comparedtext("Tmin", "<=", "T0"));
}

void checkpointcount(std::string_view name, int count, int most, CheckMessages& messages) {
  const std::string value = cp("Wartość ") + std::string(name);
  if (count < 2) messages.push_back(value + " < od 2");
  if (count > most) messages.push_back(value + " > od " + std::to_string(most));
}

}  // namespace tsd
