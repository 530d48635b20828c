// The titles of the program's message boxes, the same for every command
// and every layer that words a box.
#pragma once

namespace tessaro::archive {

// A refusal, a failure, or a question before something is lost.
inline constexpr const char* AttentionTitle = "ATTENZIONE";
// A command that wrote what it was asked to.
inline constexpr const char* DoneTitle = "Operazione effettuata";
// Printing on paper, and what became of it.
inline constexpr const char* PrintTitle = "STAMPA";

} // namespace tessaro::archive
