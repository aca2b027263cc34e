// SPDX-License-Identifier: GPL-3.0-or-later
// Reads back, from inside Windows, what an installed package left where the user sees it;
// msi_test.sh compares the lines it prints (UTF-8, one "name=value" a line).
//
//   msi_installed shortcut LNK       the shortcut's target, working folder, icon and comment
//   msi_installed programs UPGRADE   what Programs and Features lists of the product family
//                                    UPGRADE: the Windows Installer products that carry that
//                                    upgrade code, and every uninstall entry called "Quorvel"
//                                    in the user's and the machine's registry, 64- and 32-bit
#include <windows.h>
// After windows.h, which they need.
#include <msi.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/win32/utf8.h"

namespace {

using quorvel::test::Utf8;

void Line(const char* name, const std::wstring& value) {
  std::printf("%s=%s\n", name, Utf8(value).c_str());
}

int Shortcut(const wchar_t* path) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  int status = 1;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path, STGM_READ))) {
    wchar_t text[MAX_PATH * 2] = L"";
    int index = 0;
    link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
    Line("Target", text);
    text[0] = L'\0';
    link->GetArguments(text, MAX_PATH * 2);
    Line("Arguments", text);
    text[0] = L'\0';
    link->GetWorkingDirectory(text, MAX_PATH * 2);
    Line("WorkingDirectory", text);
    text[0] = L'\0';
    link->GetIconLocation(text, MAX_PATH * 2, &index);
    Line("Icon", text);
    Line("IconIndex", std::to_wstring(index));
    text[0] = L'\0';
    link->GetDescription(text, MAX_PATH * 2);
    Line("Description", text);
    status = 0;
  } else {
    std::printf("cannot read the shortcut %s\n", Utf8(path).c_str());
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return status;
}

std::wstring ProductInfo(const wchar_t* product, const wchar_t* property) {
  wchar_t value[1024] = L"";
  DWORD size = 1024;
  if (MsiGetProductInfoW(product, property, value, &size) != ERROR_SUCCESS) return L"(none)";
  return value;
}

std::wstring StringValue(HKEY key, const wchar_t* name) {
  wchar_t value[1024] = L"";
  DWORD size = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS)
    return L"(none)";
  if (type == REG_DWORD) {
    DWORD number = 0;
    std::memcpy(&number, value, sizeof(number));
    return std::to_wstring(number);
  }
  return value;
}

// The uninstall entries called Quorvel in one registry view.
int UninstallEntries(HKEY root, REGSAM view, const wchar_t* where) {
  HKEY uninstall = nullptr;
  if (RegOpenKeyExW(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                    KEY_READ | view, &uninstall) != ERROR_SUCCESS)
    return 0;
  int found = 0;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(uninstall, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY entry = nullptr;
    if (RegOpenKeyExW(uninstall, name, 0, KEY_READ | view, &entry) != ERROR_SUCCESS) continue;
    if (StringValue(entry, L"DisplayName") == L"Quorvel") {
      ++found;
      Line("Entry", std::wstring(where) + L"\\" + name);
      for (const wchar_t* value :
           {L"DisplayName", L"DisplayVersion", L"Publisher", L"Language", L"DisplayIcon",
            L"UninstallString", L"WindowsInstaller", L"NoModify"})
        Line(Utf8(value).c_str(), StringValue(entry, value));
    }
    RegCloseKey(entry);
  }
  RegCloseKey(uninstall);
  return found;
}

int Programs(const wchar_t* upgradeCode) {
  int products = 0;
  wchar_t product[39];
  for (DWORD i = 0; MsiEnumRelatedProductsW(upgradeCode, 0, i, product) == ERROR_SUCCESS; ++i) {
    ++products;
    Line("Product", product);
    Line("ProductName", ProductInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME));
    Line("ProductVersion", ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING));
    Line("ProductPublisher", ProductInfo(product, INSTALLPROPERTY_PUBLISHER));
    Line("ProductIcon", ProductInfo(product, INSTALLPROPERTY_PRODUCTICON));
  }
  Line("Products", std::to_wstring(products));
  // HKEY_CURRENT_USER\Software is one and the same in both views.
  const int entries = UninstallEntries(HKEY_CURRENT_USER, 0, L"HKCU") +
                      UninstallEntries(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"HKLM") +
                      UninstallEntries(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"HKLM-Wow6432Node");
  Line("Entries", std::to_wstring(entries));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"shortcut") return Shortcut(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"programs") return Programs(argv[2]);
  std::fputs("usage: msi_installed shortcut LNK | programs UPGRADECODE\n", stderr);
  return 2;
}
