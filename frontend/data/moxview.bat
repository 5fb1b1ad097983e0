@echo off
rem MOX view: mox on %1.ctx, LaTeX on the %1.tex it writes, then the
rem previewer on %1.dvi. Varelo's command runner starts it in the source
rem file's folder with the base name of the source; it may be edited into
rem a batch file of your own. It finds mox.exe and moxwin32.exe beside
rem Varelo (this file lies in Varelo's folder or in its TeX folder), else
rem on PATH, and the TeX programs on PATH. MOXSRC=1 adds source specials
rem for forward and inverse search.
rem Results are tested with "if errorlevel", not || or &&, which some command
rem interpreters (Wine's) follow whatever the step gave.
setlocal
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
set "MOX=mox"
set "VIEWER=moxwin32"
for %%d in ("%~dp0." "%~dp0..") do (
  if exist "%%~fd\mox.exe" set "MOX=%%~fd\mox.exe"
  if exist "%%~fd\moxwin32.exe" set "VIEWER=%%~fd\moxwin32.exe"
  if exist "%%~fd\texmf\tex\mox" set "TEXINPUTS=.;%%~fd\texmf\tex\mox//;%TEXINPUTS%;"
  if exist "%%~fd\texmf\fonts\tfm\mox" set "TFMFONTS=.;%%~fd\texmf\fonts\tfm\mox//;%TFMFONTS%;"
)
set "SRC="
if "%MOXSRC%"=="1" set "SRC=-src-specials"
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
latex %SRC% -interaction=nonstopmode "%~1.tex"
if errorlevel 1 (
  pause
  exit /b 1
)
start "" "%VIEWER%" "%~1.dvi"
