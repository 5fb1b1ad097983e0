@echo off
rem The previewer moxwin32 on %1.dvi.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if not exist "%~1.dvi" echo %~1.dvi does not exist: run LaTeX or TeX first.& pause & exit /b 1
start "" "%VIEWER%" "%~1.dvi"
