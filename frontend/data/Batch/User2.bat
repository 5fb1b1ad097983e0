@echo off
rem A user batch file to start from: LaTeX, BibTeX, LaTeX twice.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
latex -interaction=nonstopmode "%~1.tex" >nul
bibtex "%~1"
latex -interaction=nonstopmode "%~1.tex" >nul
latex %SRC% -interaction=nonstopmode "%~1.tex"
