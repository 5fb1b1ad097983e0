@echo off
rem A user batch file to start from: the log of the last run, to read
rem TeX's messages.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.log" start "" notepad.exe "%~1.log"
