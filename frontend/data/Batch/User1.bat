@echo off
rem A user batch file to start from: mox, then pdfLaTeX twice and the
rem PDF opened.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
pdflatex -interaction=nonstopmode "%~1.tex" >nul
pdflatex -interaction=nonstopmode "%~1.tex"
if errorlevel 1 exit /b 1
start "" "%~1.pdf"
