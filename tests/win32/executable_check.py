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


def resource(data: bytes, type_id: int, name_id: int) -> bytes:
    """The first language's data of resource (type_id, name_id), or b"" ."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size

    def offset_of(rva: int) -> int:
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"no section holds RVA {rva:#x}")

    base = offset_of(rsrc_rva)

    def entries(directory: int):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            yield name, target

    def child(directory: int, wanted: int | None) -> int | None:
        for name, target in entries(directory):
            if wanted is None or name == wanted:
                return target & 0x7FFFFFFF
        return None

    types = child(0, type_id)
    names = child(types, name_id) if types is not None else None
    language = child(names, None) if names is not None else None
    if language is None:
        return b""
    rva, size = struct.unpack_from("<II", data, base + language)
    start = offset_of(rva)
    return data[start:start + size]


def manifest_problems(exe: str) -> list[str]:
    with open(exe, "rb") as file:
        text = resource(file.read(), RT_MANIFEST, 1)
    if not text:
        return ["no manifest resource (RT_MANIFEST 1)"]
    root = ElementTree.fromstring(text)
    values = {element.tag.split("}")[1]: (element.text or "").strip() for element in root.iter()
              if "}" in element.tag}
    problems = []
    controls = [e for e in root.iter() if e.tag.endswith("assemblyIdentity")
                and e.get("name") == "Microsoft.Windows.Common-Controls"
                and e.get("version", "").startswith("6.")]
    if not controls:
        problems.append("no dependency on common controls 6")
    if values.get("dpiAwareness") != "PerMonitorV2, System":
        problems.append(f"dpiAwareness is {values.get('dpiAwareness')!r}")
    if values.get("dpiAware", "").lower() != "true":
        problems.append(f"dpiAware is {values.get('dpiAware')!r}")
    if values.get("longPathAware", "").lower() != "true":
        problems.append("not long-path aware")
    systems = {e.get("Id") for e in root.iter() if e.tag.endswith("supportedOS")}
    for system in (WINDOWS_7, WINDOWS_10):
        if system not in systems:
            problems.append(f"supportedOS {system} missing")
    return problems


def import_problems(objdump: str, exe: str) -> list[str]:
    listing = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                             text=True).stdout
    problems = []
    dll = None
    dlls = 0
    for line in listing.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1)
            dlls += 1
            if LATER_DLLS.match(dll):
                problems.append(f"imports {dll}")
            continue
        member = re.match(r"\s*[0-9a-fA-F]+\s+[0-9a-fA-F]+\s+(\w+)\s*$", line)
        if dll and member and member.group(1) in LATER_FUNCTIONS:
            problems.append(f"imports {member.group(1)} from {dll}")
    if dlls == 0:
        problems.append("objdump listed no imported DLL")
    return problems


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
