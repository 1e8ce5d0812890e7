#pragma once
// Cyclic arithmetic on passage numbers and lookups on one crossing record.

#include <string>

#include "model/tables.h"
#include "platform/ports.h"

namespace trevalon {

// Position of passage i counted from passage base + 1: i - base, plus numGemelli when that is below 1.
int ConvertiBase(int i, int base, int numGemelli);
// The inverse step: i + base, minus numGemelli when that is above numGemelli.
int ConvertiBaseInv(int i, int base, int numGemelli);

// The crossing reached from crossing n along the arc at side d1, or -1 (and a message with n).
int IncrocioDaArco(const Diagram& d, int n, int d1, MessagePort& messages);
// "+" when the arc at side d1 of crossing n belongs to its over strand, "-" for the under strand;
// otherwise "" and a message with n. The loop of a curl counts as under.
std::string IncrocioAb(const Diagram& d, int n, int d1, MessagePort& messages);
// The same for an arc given by its number.
std::string IncrocioAbArco(const Diagram& d, int n, int arco, MessagePort& messages);
// IncrocioAbArco without the message: "" when n is no crossing of the table or arco none of its four arcs.
std::string segnoArcoIncrocio(const Diagram& d, int n, int arco);

}  // namespace trevalon
