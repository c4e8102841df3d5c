#pragma once
// The DDE conversation with the shell's Program Manager service, which
// makes the Start Menu group and its items.
#include <windows.h>
#include <ddeml.h>

#include <memory>
#include <string>
#include <vector>

#include "install/InstallRules.h"

// One client conversation; the destructor disconnects it.
class CDdeConversation {
public:
    CDdeConversation() = default;
    ~CDdeConversation();
    CDdeConversation(const CDdeConversation&) = delete;
    CDdeConversation& operator=(const CDdeConversation&) = delete;

    bool Connect(const char* service, const char* topic);
    // 0 on success, otherwise the DDE error code (DMLERR_NOTPROCESSED when
    // the library reports none).
    UINT Execute(const std::string& command);

private:
    HCONV m_hConv = nullptr;
};

HDDEDATA CALLBACK DdeCallback(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                              HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2);
// A conversation with service and topic. When the service does not answer
// and a program (a full path) is given, starts it hidden once and tries again.
std::unique_ptr<CDdeConversation> ConnectDde(const char* service, const char* topic, std::string program);
// Asks the shell's Program Manager service for the "Plotra" group with these
// items; nullptr when it made them, else the message that says why not.
const char* MakeGroupByDde(const std::vector<ProgramItem>& items);
// Releases the DDE instance, if one was made.
void ReleaseDde();
