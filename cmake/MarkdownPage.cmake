# Renders one Markdown page of the documentation as a page of its own:
#   cmake -DCMARK_GFM=<cmark-gfm> -DSOURCE=<page.md> -DOUTPUT=<page.html> -P MarkdownPage.cmake
# Its title is the page's first heading; links to the other pages lead to
# their HTML.
execute_process(COMMAND ${CMARK_GFM} --to html -e table -e autolink -e strikethrough ${SOURCE}
    OUTPUT_VARIABLE body COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "href=\"([^\":/]*)\\.md([#\"])" "href=\"\\1.html\\2" body "${body}")

file(STRINGS ${SOURCE} heading REGEX "^# " LIMIT_COUNT 1)
string(REGEX REPLACE "^# +" "" title "${heading}")
string(REPLACE "&" "&amp;" title "${title}")
string(REPLACE "<" "&lt;" title "${title}")

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
body { max-width: 52em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.5; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #aaa; padding: 0.2em 0.6em; text-align: left; vertical-align: top; }
code, pre { background: #f2f2f2; font-family: monospace; }
pre { padding: 0.6em; overflow-x: auto; }
img { max-width: 100%; }
</style>
</head>
<body>
${body}</body>
</html>
")
