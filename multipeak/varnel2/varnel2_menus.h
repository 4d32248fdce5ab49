// Which of varnel2's menu items can be chosen: the menus a measured curve
// opens, those a fit opens, and the "Tabela 2" items, which need two peaks.
#pragma once

#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

// "Parametry", "Obliczenia" and "Wykres", once a data file is read.
void enabledatamenus();

// "Przepisanie parametrów", "Tabele", "Zapis" and "Wydruk" after a fit, and
// the "Tabela 2" items as settable2menus sets them.
void enablefitmenus(const State& s);

// The three "Tabela 2" items enabled when at least two peaks are, greyed
// otherwise.
void settable2menus(const State& s);

}  // namespace tsd::varnel2
