@echo off
rem pdfLaTeX on %1.tex (mox first when %1.ctx exists), writing %1.pdf.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
pdflatex -interaction=nonstopmode "%~1.tex"
