@echo off
rem AmS-TeX on %1.tex: the amstex format where the distribution has it,
rem else LaTeX (an amsart document). mox first when %1.ctx exists.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
where amstex >nul 2>nul
if not errorlevel 1 (
  amstex %SRC% -interaction=nonstopmode "%~1.tex"
  exit /b
)
latex %SRC% -interaction=nonstopmode "%~1.tex"
