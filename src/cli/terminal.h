#pragma once
// What the command-line tool needs to know about where its output goes.

// True when stderr is a terminal (a person watching), false on a pipe or a file.
bool stderrIsTerminal();
