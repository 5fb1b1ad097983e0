@echo off
rem A user batch file to start from: LaTeX with source specials always,
rem then the previewer (Ctrl+double-click in it finds the source line).
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
latex -src-specials -interaction=nonstopmode "%~1.tex"
if errorlevel 1 exit /b 1
start "" "%VIEWER%" "%~1.dvi"
