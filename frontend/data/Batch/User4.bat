@echo off
rem A user batch file to start from: PDF through dvips and ps2pdf.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
dvips -o "%~1.ps" "%~1.dvi"
if errorlevel 1 exit /b 1
ps2pdf "%~1.ps" "%~1.pdf"
