// Installs one of the tests' PostScript printers in the Wine prefix, once:
// a PostScript driver of the printer's name with the PPD file given, a
// printer whose port is the file its jobs are written to (Wine writes a job
// straight into a port that names a file), made the default one unless
// --extra is given. Prints "installed" or "present"; exit status 1 on a
// failure, 2 for a wrong command line.
//   install_printer.exe NAME PPD_PATH OUTPUT_FILE [--extra]
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// The name the PPD takes in the drivers' folder: its file name in capitals
// without hyphens, as its *PCFileName says (mox-test.ppd: MOXTEST.PPD), so
// that each printer's driver keeps a PPD of its own.
std::wstring InstalledPpdName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/:");
  std::wstring name;
  for (wchar_t c : path.substr(slash == std::wstring::npos ? 0 : slash + 1)) {
    if (c != L'-') name += static_cast<wchar_t>(std::towupper(c));
  }
  return name;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool extra = argc == 5 && std::wstring(argv[4]) == L"--extra";
  if (argc != 4 && !extra) return 2;
  const std::wstring name = argv[1];
  const std::wstring ppd = argv[2];
  const std::wstring output = argv[3];
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count)) {
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      if (name == printers[i].pPrinterName) {
        if (!extra) SetDefaultPrinterW(name.c_str());
        std::puts("present");
        return 0;
      }
    }
  }
  // The PPD goes into the printer drivers' folder, where the driver finds it.
  DWORD size = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &size);
  std::wstring folder(size / sizeof(wchar_t) + 1, L'\0');
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder.data()),
                                  size, &size)) {
    return 1;
  }
  folder.resize(folder.find(L'\0'));
  const std::wstring installed_ppd = folder + L"\\" + InstalledPpdName(ppd);
  if (!CopyFileW(ppd.c_str(), installed_ppd.c_str(), FALSE)) return 1;
  std::wstring driver_name = name;
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = driver_name.data();
  std::wstring environment = L"Windows x64";
  driver.pEnvironment = environment.data();
  std::wstring driver_file = L"wineps.drv";
  driver.pDriverPath = driver_file.data();
  driver.pDataFile = const_cast<wchar_t*>(installed_ppd.c_str());
  driver.pConfigFile = driver_file.data();
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                           APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return 1;
  }
  PRINTER_INFO_2W printer{};
  std::wstring printer_name = name;
  std::wstring port = output;
  std::wstring processor = L"WinPrint";
  std::wstring datatype = L"RAW";
  printer.pPrinterName = printer_name.data();
  printer.pPortName = port.data();
  printer.pDriverName = driver_name.data();
  printer.pPrintProcessor = processor.data();
  printer.pDatatype = datatype.data();
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (handle == nullptr) return 1;
  ClosePrinter(handle);
  if (!extra) SetDefaultPrinterW(name.c_str());
  std::puts("installed");
  return 0;
}
