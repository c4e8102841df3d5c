#include "framework/ShellRegistry.h"

#include <windows.h>

#include "framework/DocTemplate.h"

namespace {

bool SetKeyValue(const CString& key, const CString& value)
{
    return RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value, value.GetLength()) == ERROR_SUCCESS;
}

CString GetKeyValue(const CString& key)
{
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS)
        return CString();
    return CString(value);
}

CString ShortModulePath()
{
    char path[MAX_PATH];
    char shortPath[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD n = GetShortPathNameA(path, shortPath, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(shortPath) : CString(path);
}

}  // namespace

void AfxRegisterShellFileType(const CSingleDocTemplate& docTemplate)
{
    CString typeId = docTemplate.GetDocString(CSingleDocTemplate::regFileTypeId);
    CString typeName = docTemplate.GetDocString(CSingleDocTemplate::regFileTypeName);
    CString ext = docTemplate.GetDocString(CSingleDocTemplate::filterExt);
    if (typeId.IsEmpty() || !SetKeyValue(typeId, typeName))
        return;
    if (!SetKeyValue(typeId + "\\shell\\open\\command", ShortModulePath() + " \"%1\""))
        return;
    if (ext.IsEmpty())
        return;
    CString current = GetKeyValue(ext);
    if (current.IsEmpty() || current == typeId)
        SetKeyValue(ext, typeId);
}
