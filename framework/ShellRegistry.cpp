#include "framework/ShellRegistry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "framework/DocTemplate.h"
#include "framework/WideText.h"

namespace {

// The user's own classes, which every user may write. Since Windows 2000 the
// shell reads HKEY_CLASSES_ROOT as these merged over the machine's classes.
const char kUserClasses[] = "Software\\Classes\\";

bool SetKeyValue(HKEY hRoot, const CString& key, const CString& value)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(hRoot, AfxWide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    // In UTF-16: the program's path may hold any character.
    const std::wstring text = AfxWide(value);
    LONG result = RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

// The key's default value; empty when it has none.
CString GetKeyValue(HKEY hRoot, const CString& key)
{
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(hRoot, key, value, &size) != ERROR_SUCCESS)
        return CString();
    return CString(value);
}

// The type the extension points to as the shell sees it: the user's own
// choice over the machine's.
CString CurrentType(const CString& ext)
{
    CString type = GetKeyValue(HKEY_CURRENT_USER, kUserClasses + ext);
    return type.IsEmpty() ? GetKeyValue(HKEY_CLASSES_ROOT, ext) : type;
}

// An extension is pointed at the type only when it has no type or this one.
bool MayTake(const CString& ext, const CString& current, const CString& typeId)
{
    return !ext.IsEmpty() && (current.IsEmpty() || current == typeId);
}

// The program's name in the open command, whatever its length: the short
// form keeps spaces out; on a volume without short names it is quoted, so
// that the shell does not take "D:\Program" for the program.
CString ModuleCommandName()
{
    const DWORD kRoom = 32768;
    std::vector<wchar_t> path(kRoom), shortPath(kRoom);
    DWORD n = GetModuleFileNameW(nullptr, path.data(), kRoom);
    if (n == 0 || n >= kRoom)
        return CString();
    DWORD m = GetShortPathNameW(path.data(), shortPath.data(), kRoom);
    std::wstring name = m > 0 && m < kRoom ? shortPath.data() : path.data();
    if (name.find(L' ') != std::wstring::npos)
        name = L"\"" + name + L"\"";
    return AfxUtf8(name.c_str());
}

// What the registration writes, and whether it points the extension at the type.
struct FileType {
    CString typeId, typeName, command, ext;
    bool bTakeExtension = false;
};

bool WriteFileType(HKEY hRoot, const CString& prefix, const FileType& type)
{
    if (!SetKeyValue(hRoot, prefix + type.typeId, type.typeName)
        || !SetKeyValue(hRoot, prefix + type.typeId + "\\shell\\open\\command", type.command))
        return false;
    return !type.bTakeExtension || SetKeyValue(hRoot, prefix + type.ext, type.typeId);
}

bool ShowsFileType(HKEY hRoot, const FileType& type)
{
    return GetKeyValue(hRoot, type.typeId) == type.typeName
        && GetKeyValue(hRoot, type.typeId + "\\shell\\open\\command") == type.command
        && (!type.bTakeExtension || GetKeyValue(hRoot, type.ext) == type.typeId);
}

}  // namespace

void AfxRegisterShellFileType(const CSingleDocTemplate& docTemplate)
{
    FileType type;
    type.typeId = docTemplate.GetDocString(CSingleDocTemplate::regFileTypeId);
    type.typeName = docTemplate.GetDocString(CSingleDocTemplate::regFileTypeName);
    const CString program = ModuleCommandName();
    type.command = program + " \"%1\"";
    type.ext = docTemplate.GetDocString(CSingleDocTemplate::filterExt);
    // Without the program's own name there is nothing the shell could start.
    if (type.typeId.IsEmpty() || program.IsEmpty())
        return;
    type.bTakeExtension = MayTake(type.ext, type.ext.IsEmpty() ? CString() : CurrentType(type.ext), type.typeId);
    if (!WriteFileType(HKEY_CURRENT_USER, kUserClasses, type))
        return;
    // A system that does not merge the user's classes into the shell's view
    // (Windows before 2000, Wine) reads HKEY_CLASSES_ROOT only: there the
    // type is written again, under the extension rule as that view has it.
    type.bTakeExtension = MayTake(type.ext, GetKeyValue(HKEY_CLASSES_ROOT, type.ext), type.typeId);
    if (!ShowsFileType(HKEY_CLASSES_ROOT, type))
        WriteFileType(HKEY_CLASSES_ROOT, CString(), type);
}
