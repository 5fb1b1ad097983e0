@echo off
rem dvips: %1.dvi into PostScript %1.ps.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
dvips -o "%~1.ps" "%~1.dvi"
