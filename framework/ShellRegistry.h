#pragma once
// Registration of a document template's file type with the shell.
class CSingleDocTemplate;

// Makes the type (id and display name from the template's document string)
// with the open command `short-module-path "%1"` among the user's own classes
// (HKEY_CURRENT_USER\Software\Classes), and points the extension at it when
// the extension has no type yet or already has this one, for this user or the
// machine. Failures are skipped: the program runs without the registration.
void AfxRegisterShellFileType(const CSingleDocTemplate& docTemplate);
