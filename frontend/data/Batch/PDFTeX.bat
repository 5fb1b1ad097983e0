@echo off
rem pdfTeX (plain TeX) on %1.tex, writing %1.pdf.
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
if exist "%~1.ctx" (
  "%MOX%" "%~1"
  if errorlevel 1 exit /b 1
)
pdftex -interaction=nonstopmode "%~1.tex"
