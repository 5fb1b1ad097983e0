#!/usr/bin/env python3
"""The built programs as Windows starts them: each carries its application
manifest (common controls 6, per-monitor DPI awareness v2 with the system's
as the fallback, long paths, the supported systems), and its import tables
name no DLL and no function that Windows 7 lacks, since the functions of
later systems are looked up at run time.

    executable_check.py OBJDUMP EXE...
"""
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

RT_MANIFEST = 24
WINDOWS_7 = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"

# DLLs a Windows 7 without updates does not have.
LATER_DLLS = re.compile(r"^(shcore|ucrtbase|api-ms-win-.*|ext-ms-.*|vcruntime.*|dcomp)\.dll$",
                        re.IGNORECASE)
# Functions of kernel32, user32, gdi32, comctl32 and shell32 that came with
# Windows 8 or later: the ones a program like these would come to call.
LATER_FUNCTIONS = set("""
GetSystemTimePreciseAsFileTime CreateFile2 CopyFile2 GetCurrentThreadStackLimits
SetThreadDescription GetThreadDescription WaitOnAddress WakeByAddressSingle WakeByAddressAll
InitializeSynchronizationBarrier EnterSynchronizationBarrier DeleteSynchronizationBarrier
GetOverlappedResultEx CreateFileMappingFromApp GetCurrentPackageId GetCurrentPackageFullName
GetPackageFamilyName SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
GetProcessMitigationPolicy SetProcessMitigationPolicy PrefetchVirtualMemory GetFirmwareType
SetThreadInformation GetThreadInformation VirtualAlloc2 MapViewOfFile3 DiscardVirtualMemory
OfferVirtualMemory ReclaimVirtualMemory QueryUnbiasedInterruptTimePrecise CreatePseudoConsole
ResizePseudoConsole ClosePseudoConsole GetSystemCpuSetInformation IsWow64Process2
GetTempPath2W GetTempPath2A GetMachineTypeAttributes
GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi AdjustWindowRectExForDpi
SystemParametersInfoForDpi EnableNonClientDpiScaling SetThreadDpiAwarenessContext
GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext GetAwarenessFromDpiAwarenessContext
AreDpiAwarenessContextsEqual IsValidDpiAwarenessContext SetProcessDpiAwarenessContext
GetDpiFromDpiAwarenessContext SetThreadDpiHostingBehavior GetThreadDpiHostingBehavior
GetWindowDpiHostingBehavior SetDialogDpiChangeBehavior GetDialogDpiChangeBehavior
SetDialogControlDpiChangeBehavior GetDialogControlDpiChangeBehavior GetSystemDpiForProcess
LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
InheritWindowMonitor GetPointerType GetPointerInfo EnableMouseInPointer
GetDisplayAutoRotationPreferences SetDisplayAutoRotationPreferences GetDpiForMonitor
SetProcessDpiAwareness GetProcessDpiAwareness LoadIconWithScaleDown
""".split())


def manifest_of(data: bytes) -> bytes:
    """The first language's data of resource RT_MANIFEST 1 of a PE file, or b""."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    directories = optional + (96 if struct.unpack_from("<H", data, optional)[0] == 0x10B else 112)
    table = optional + optional_size

    def offset_of(rva):
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"no section holds RVA {rva:#x}")

    base = offset_of(struct.unpack_from("<I", data, directories + 16)[0])
    place = 0
    for wanted in (RT_MANIFEST, 1, None):  # type, name, the first language
        named, ids = struct.unpack_from("<HH", data, base + place + 12)
        entries = [struct.unpack_from("<II", data, base + place + 16 + 8 * i)
                   for i in range(named + ids)]
        found = [target for name, target in entries if wanted in (None, name)]
        if not found:
            return b""
        place = found[0] & 0x7FFFFFFF
    rva, size = struct.unpack_from("<II", data, base + place)
    return data[offset_of(rva):offset_of(rva) + size]


def manifest_problems(exe: str) -> list[str]:
    with open(exe, "rb") as file:
        text = manifest_of(file.read())
    if not text:
        return ["no manifest resource (RT_MANIFEST 1)"]
    elements = list(ElementTree.fromstring(text).iter())
    values = {e.tag.split("}")[-1]: (e.text or "").strip().lower() for e in elements}
    wanted = {"dpiAwareness": "permonitorv2, system", "dpiAware": "true", "longPathAware": "true"}
    problems = [f"{key} is {values.get(key)!r}" for key, value in wanted.items()
                if values.get(key) != value]
    if not any(e.get("name") == "Microsoft.Windows.Common-Controls" and
               e.get("version", "").startswith("6.") for e in elements):
        problems.append("no dependency on common controls 6")
    systems = {e.get("Id") for e in elements if e.tag.endswith("supportedOS")}
    problems += [f"supportedOS {system} missing" for system in (WINDOWS_7, WINDOWS_10)
                 if system not in systems]
    return problems


def import_problems(objdump: str, exe: str) -> list[str]:
    listing = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                             text=True).stdout
    dlls = re.findall(r"DLL Name: (\S+)", listing)
    problems = [f"imports {dll}" for dll in dlls if LATER_DLLS.match(dll)]
    members = re.findall(r"^\s*[0-9a-fA-F]+\s+[0-9a-fA-F]+\s+(\w+)\s*$", listing, re.MULTILINE)
    problems += [f"imports {name}" for name in members if name in LATER_FUNCTIONS]
    return problems if dlls else ["objdump listed no imported DLL"]


def main() -> int:
    objdump, *exes = sys.argv[1:]
    failed = False
    for exe in exes:
        problems = manifest_problems(exe) + import_problems(objdump, exe)
        print(f"{exe}: {'; '.join(problems) if problems else 'manifest and imports fit'}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
