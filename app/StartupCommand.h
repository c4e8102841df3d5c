#pragma once
// What the program does with its command line at start-up, with no
// dependence on Windows.

enum class StartupAction {
    NewDocument,  // nothing, or a switch: start with an empty graph
    OpenFile      // the whole text names one data file
};

// Empty text, or a minus sign or slash followed by e or E (whatever follows,
// as in -Embedding), starts a new document; any other text is a file name.
StartupAction ClassifyCommandLine(const char* pszText);
