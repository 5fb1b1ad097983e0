@echo off
rem The MOX tool chain as emTeX ran it: mox, LaTeX, the previewer.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
latex %SRC% -interaction=nonstopmode "%~1.tex"
if errorlevel 1 exit /b 1
start "" "%VIEWER%" "%~1.dvi"
