@echo off
rem The whole chain: mox, LaTeX, BibTeX when the document cites, LaTeX
rem twice more, then the previewer.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
latex %SRC% -interaction=nonstopmode "%~1.tex"
if errorlevel 1 exit /b 1
findstr /b /c:"\bibdata" "%~1.aux" >nul 2>nul
if not errorlevel 1 bibtex "%~1"
latex %SRC% -interaction=nonstopmode "%~1.tex" >nul
latex %SRC% -interaction=nonstopmode "%~1.tex"
if errorlevel 1 exit /b 1
start "" "%VIEWER%" "%~1.dvi"
