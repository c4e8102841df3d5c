#pragma once
// Identifiers of install.exe's resources.

// Dialogs (named templates): "INSTALL" asks for the target, "COPY" shows the copying.

// Controls
#define IDC_TARGET    105   // INSTALL: the target folder
#define IDC_COPY_FILE 106   // COPY: the file being copied
