@echo off
rem Plain TeX on %1.tex (mox first when %1.ctx exists).
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
tex %SRC% -interaction=nonstopmode "%~1.tex"
