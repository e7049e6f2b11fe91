// Identifiers shared by the resource script and the program that loads the
// resources. Plain macros, because the resource compiler reads only the
// preprocessor's language.
#pragma once

// The program icon. The lowest icon identifier is the one Explorer shows for
// the executable.
#define TAGSMIT_IDI_APP 1
