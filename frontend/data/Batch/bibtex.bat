@echo off
rem BibTeX on %1.aux (run LaTeX before and twice after it).
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
bibtex "%~1"
