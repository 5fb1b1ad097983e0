@echo off
rem MOX: turns the Chinese source %1.ctx into %1.tex.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
"%MOX%" "%~1"
