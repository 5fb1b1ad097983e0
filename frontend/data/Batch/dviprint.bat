@echo off
rem Printing %1.dvi: PostScript by dvips, handed to the program Windows
rem prints PostScript files with.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
dvips -o "%~1.ps" "%~1.dvi"
if errorlevel 1 exit /b 1
start "" /min "%~1.ps"
