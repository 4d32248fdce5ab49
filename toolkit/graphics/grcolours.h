// Colour numbers, their RGB tables and the mapping to device colours.
#pragma once

namespace tsd {

// Device colour index of colour number c for the current device.
int xxcnum(int c);
// Entry of the 8-colour reordering tables (-1 for i outside 0..15).
int xxcoln(int i, int table);
// Builds the 256-, 16- and 128-entry tables in the current scheme.
int xxpali();
// RGB of entry i of the 256-, 16- and 128-entry tables (0 outside them).
int xxpalg(int i, int& r, int& g, int& b);
int xxpalg16(int i, int& r, int& g, int& b);
int xxpalg32(int i, int& r, int& g, int& b);
// Entry i of the table for n device colours (256, 16 or 32..128) by rule,
// in the normal (inverted 0) or inverted (1) scheme; 0 outside the table.
int xxpalrule(int n, int i, int inverted, int& r, int& g, int& b);
// Stores one colour number's RGB into the tables.
int xxpals(int i, int r, int g, int b);

}  // namespace tsd
