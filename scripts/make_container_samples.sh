#!/usr/bin/env bash
# Makes small real members of the container families (ZIP-based documents and packages, the old Office
# compound file, Matroska, PE, ID3-tagged audio, ELF) with Debian's own writers, each format from every
# writer Debian has, and writes
#   tests/data/containers/files/<ext>_<variant>_from_<writer>.<ext>
#   tests/data/containers/manifest.tsv   in the corpus scorer's manifest format
#                                        (path, ext, alt_exts, type, source); scripts/accuracy.sh scores it.
# The files are committed: CI does not run this script.
#
# Packages (Debian 12): libreoffice-writer libreoffice-calc libreoffice-impress libreoffice-draw python3-uno
# python3-docx python3-openpyxl python3-xlsxwriter python3-xlwt python3-odf python3-mutagen python3-wheel
# python3-setuptools gnumeric abiword pandoc zip 7zip default-jdk-headless aapt zipalign apksigner mkvtoolnix
# ffmpeg lame id3v2 gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix clang lld gcc msitools wixl
#
# Only one writer in Debian: dot, xlt, ppt, pps, pot, docm, pptm, potx, ots, otp, otg (LibreOffice).
# The 97-2003 dot, xlt, pps and pot LibreOffice writes carry no mark of their own (not even Word's
# template flag): the same content is a doc, xls or ppt, listed as their alternative. LibreOffice's
# ppsx carries the presentation's content type (so pptx is listed as its alternative); the second ppsx is
# pandoc's pptx given the show's content type by python's zipfile. LibreOffice's ppt, pps and pot carry a
# preview bitmap of about 430 KiB in their summary stream, which no setting turns off.
# python3-pptx is not in Debian (pandoc is the second pptx writer). No Debian tool writes .msg, so there is
# none. AbiWord's "doc" is RTF inside, so it is not used for doc. Debian has no dex compiler, so the apk
# from aapt carries no code (a manifest and apksigner's signature). The encrypted docx and xlsx come from
# LibreOffice's own "Standard" encryption through UNO (its --convert-to cannot set a password in 7.4).
#
# Usage: scripts/make_container_samples.sh
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
dest=$root/tests/data/containers
py=/usr/bin/python3 # Debian's python, which has the python3-* modules above
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=UTC LC_ALL=C.UTF-8 SOURCE_DATE_EPOCH=1700000000 HOME=$work/home
mkdir -p "$HOME" "$work/src"
rm -rf "$dest/files"
mkdir -p "$dest/files"
cd "$work/src"
exec 3>"$dest/manifest.tsv"
printf 'path\text\talt_exts\ttype\tsource\n' >&3

# sample FILE EXT VARIANT SOURCE ALTS TYPE: records FILE as files/EXT_VARIANT_from_SOURCE.EXT
# (no extension when EXT is empty).
sample() {
    local file=$1 ext=$2 variant=$3 source=$4 alts=$5 type=$6
    local copy="files/${ext:-noext}_${variant:+${variant}_}from_${source//[^A-Za-z0-9]/_}${ext:+.$ext}"
    [[ -e $dest/$copy ]] && { echo "make_container_samples.sh: $copy twice" >&2; exit 1; }
    [[ -s $file ]] || { echo "make_container_samples.sh: $file was not written" >&2; exit 1; }
    cp "$file" "$dest/$copy"
    printf '%s\t%s\t%s\t%s\t%s\n' "$copy" "$ext" "$alts" "$type" "$source" >&3
}

# ---- the tiny source documents: one line of text, one cell, one slide, one drawn box
ns='xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.3"'
frame='<draw:frame svg:x="2cm" svg:y="2cm" svg:width="10cm" svg:height="2cm"><draw:text-box>
 <text:p>Hello from a container sample.</text:p></draw:text-box></draw:frame>'
cat >text.fodt <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<office:document $ns office:mimetype="application/vnd.oasis.opendocument.text"><office:body><office:text>
 <text:p>Hello from a container sample.</text:p></office:text></office:body></office:document>
EOF
cat >sheet.fods <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<office:document $ns office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body>
 <office:spreadsheet><table:table table:name="Sheet1"><table:table-row>
 <table:table-cell office:value-type="float" office:value="42"><text:p>42</text:p></table:table-cell>
 </table:table-row></table:table></office:spreadsheet></office:body></office:document>
EOF
cat >slides.fodp <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<office:document $ns office:mimetype="application/vnd.oasis.opendocument.presentation"><office:body>
 <office:presentation><draw:page draw:name="Slide1">$frame</draw:page></office:presentation>
 </office:body></office:document>
EOF
cat >drawing.fodg <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<office:document $ns office:mimetype="application/vnd.oasis.opendocument.graphics"><office:body>
 <office:drawing><draw:page draw:name="Page1">$frame</draw:page></office:drawing></office:body></office:document>
EOF
printf '%% Container sample\n\n# Hello\n\nHello from a container sample.\n' >text.md
printf 'Hello from a container sample.\n' >text.txt
printf '42\n' >cell.csv

# ---- LibreOffice: one headless office, driven over UNO, stores each source under each export filter
# (UNO rather than --convert-to: one start for all files, and a password for the encrypted OOXML).
cat >lo_store.py <<'EOF'
import os, subprocess, sys, time, uno
from com.sun.star.beans import NamedValue, PropertyValue

def prop(kind, name, value):
    p = kind(); p.Name = name; p.Value = value
    return p

jobs = [line.rstrip("\n").split("|") for line in open(sys.argv[1]) if line.strip()]
pipe = "quorvane_samples_%d" % os.getpid()
office = subprocess.Popen(["soffice", "--headless", "--norestore", "--nologo",
                           "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.abspath("lo-profile")),
                           "--accept=pipe,name=%s;urp;" % pipe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for attempt in range(240):
        try:
            ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            break
        except Exception:
            if attempt == 239 or office.poll() is not None:
                raise
            time.sleep(0.5)
    # no preview pictures in the packages (the binary PowerPoint export writes its own regardless)
    settings = ctx.ServiceManager.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", ctx).createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationUpdateAccess",
        (prop(PropertyValue, "nodepath", "/org.openoffice.Office.Common/Save/Document"),))
    settings.setPropertyValue("GenerateThumbnail", False)
    settings.commitChanges()
    desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
    loaded = {}
    for source, load_filter, target, store_filter, password in jobs:
        if source not in loaded:
            loaded[source] = desktop.loadComponentFromURL(
                uno.systemPathToFileUrl(os.path.abspath(source)), "_blank", 0,
                (prop(PropertyValue, "Hidden", True), prop(PropertyValue, "FilterName", load_filter)))
        args = [prop(PropertyValue, "FilterName", store_filter), prop(PropertyValue, "Overwrite", True)]
        if password:
            keys = uno.Any("[]com.sun.star.beans.NamedValue",
                           (prop(NamedValue, "OOXPassword", password), prop(NamedValue, "CryptoType", "Standard")))
            args.append(prop(PropertyValue, "EncryptionData", keys))
        uno.invoke(loaded[source], "storeToURL", (uno.systemPathToFileUrl(os.path.abspath(target)),
                                                 uno.Any("[]com.sun.star.beans.PropertyValue", tuple(args))))
    for doc in loaded.values():
        doc.close(True)
    desktop.terminate()
finally:
    try:
        office.wait(timeout=60)
    except subprocess.TimeoutExpired:
        office.kill()
EOF
mkdir -p lo
lo_jobs() {  # lo_jobs SOURCE LOAD_FILTER then pairs of TARGET STORE_FILTER [|PASSWORD]
    local source=$1 load=$2
    shift 2
    while (($#)); do
        printf '%s|%s|lo/lo.%s|%s|%s\n' "$source" "$load" "$1" "${2%%|*}" "$([[ $2 == *'|'* ]] && echo "${2#*|}")"
        shift 2
    done
}
{
    lo_jobs text.fodt "OpenDocument Text Flat XML" \
        doc "MS Word 97" dot "MS Word 97 Vorlage" rtf "Rich Text Format" \
        docx "MS Word 2007 XML" iso.docx "Office Open XML Text" docm "MS Word 2007 XML VBA" \
        dotx "MS Word 2007 XML Template" odt writer8 ott writer8_template epub EPUB \
        enc.docx "MS Word 2007 XML|secret"
    lo_jobs sheet.fods "OpenDocument Spreadsheet Flat XML" \
        xls "MS Excel 97" xlt "MS Excel 97 Vorlage/Template" \
        xlsx "Calc MS Excel 2007 XML" iso.xlsx "Calc Office Open XML" xlsm "Calc MS Excel 2007 VBA XML" \
        xltx "Calc MS Excel 2007 XML Template" ods calc8 ots calc8_template \
        enc.xlsx "Calc MS Excel 2007 XML|secret"
    lo_jobs slides.fodp "OpenDocument Presentation Flat XML" \
        ppt "MS PowerPoint 97" pps "MS PowerPoint 97 AutoPlay" pot "MS PowerPoint 97 Vorlage" \
        pptx "Impress MS PowerPoint 2007 XML" iso.pptx "Impress Office Open XML" \
        pptm "Impress MS PowerPoint 2007 XML VBA" ppsx "Impress MS PowerPoint 2007 XML AutoPlay" \
        potx "Impress MS PowerPoint 2007 XML Template" odp impress8 otp impress8_template
    lo_jobs drawing.fodg "OpenDocument Drawing Flat XML" odg draw8 otg draw8_template
} >lo_jobs.txt
timeout 600 "$py" lo_store.py lo_jobs.txt
w=libreoffice
sample lo/lo.doc doc "" $w "" "Word 97-2003 (CFB)"
sample lo/lo.dot dot "" $w "doc" "Word template (CFB)"
sample lo/lo.xls xls "" $w "" "Excel 97-2003 (CFB)"
sample lo/lo.xlt xlt "" $w "xls" "Excel template (CFB)"
sample lo/lo.ppt ppt "" $w "" "PowerPoint 97-2003 (CFB)"
sample lo/lo.pps pps "" $w "ppt" "PowerPoint show (CFB)"
sample lo/lo.pot pot "" $w "ppt" "PowerPoint template (CFB)"
sample lo/lo.docx docx "" $w "" "Word OOXML (zip)"
sample lo/lo.iso.docx docx iso29500 $w "" "Word OOXML (zip)"
sample lo/lo.enc.docx docx encrypted $w "" "Word OOXML, encrypted (CFB)"
sample lo/lo.docm docm "" $w "" "Word OOXML macro (zip)"
sample lo/lo.dotx dotx "" $w "" "Word OOXML template (zip)"
sample lo/lo.xlsx xlsx "" $w "" "Excel OOXML (zip)"
sample lo/lo.iso.xlsx xlsx iso29500 $w "" "Excel OOXML (zip)"
sample lo/lo.enc.xlsx xlsx encrypted $w "" "Excel OOXML, encrypted (CFB)"
sample lo/lo.xlsm xlsm "" $w "" "Excel OOXML macro (zip)"
sample lo/lo.xltx xltx "" $w "" "Excel OOXML template (zip)"
sample lo/lo.pptx pptx "" $w "" "PowerPoint OOXML (zip)"
sample lo/lo.iso.pptx pptx iso29500 $w "" "PowerPoint OOXML (zip)"
sample lo/lo.pptm pptm "" $w "" "PowerPoint OOXML macro (zip)"
# LibreOffice 7.4's "AutoPlay" export keeps the presentation's content type: inside, the package is a pptx
sample lo/lo.ppsx ppsx "" $w "pptx" "PowerPoint OOXML show (zip)"
sample lo/lo.potx potx "" $w "" "PowerPoint OOXML template (zip)"
sample lo/lo.odt odt "" $w "" "ODF text (zip)"
sample lo/lo.ott ott "" $w "" "ODF text template (zip)"
sample lo/lo.ods ods "" $w "" "ODF spreadsheet (zip)"
sample lo/lo.ots ots "" $w "" "ODF spreadsheet template (zip)"
sample lo/lo.odp odp "" $w "" "ODF presentation (zip)"
sample lo/lo.otp otp "" $w "" "ODF presentation template (zip)"
sample lo/lo.odg odg "" $w "" "ODF drawing (zip)"
sample lo/lo.otg otg "" $w "" "ODF drawing template (zip)"
sample lo/lo.rtf rtf "" $w "" "RTF document"
sample lo/lo.epub epub "" $w "" "EPUB e-book (zip)"

# ---- the Python writers: python-docx, openpyxl, XlsxWriter, xlwt, odfpy
"$py" - <<'EOF'
import docx, openpyxl, xlsxwriter, xlwt
from odf.draw import Frame, Page, TextBox
from odf.opendocument import (OpenDocumentDrawing, OpenDocumentPresentation, OpenDocumentSpreadsheet,
                              OpenDocumentText)
from odf.style import MasterPage, PageLayout
from odf.table import Table, TableCell, TableRow
from odf.text import P

line = "Hello from a container sample."
d = docx.Document(); d.add_paragraph(line); d.save("python-docx.docx")
# python-docx writes only documents; the same package with the template's content type is a .dotx
d = docx.Document(); d.add_paragraph(line)
d.part._content_type = "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml"
d.save("python-docx.dotx")

wb = openpyxl.Workbook(); wb.active["A1"] = 42; wb.save("openpyxl.xlsx")
wb = openpyxl.Workbook(); wb.active["A1"] = 42; wb.template = True; wb.save("openpyxl.xltx")
# openpyxl writes the macro-enabled type when it keeps a workbook's VBA part: re-save LibreOffice's xlsm
wb = openpyxl.load_workbook("lo/lo.xlsm", keep_vba=True); wb.active["A2"] = 43; wb.save("openpyxl.xlsm")

book = xlsxwriter.Workbook("xlsxwriter.xlsx"); book.add_worksheet().write(0, 0, 42); book.close()
book = xlwt.Workbook(); book.add_sheet("Sheet1").write(0, 0, 42); book.save("xlwt.xls")

def text(mimetype=None):
    doc = OpenDocumentText(); doc.text.addElement(P(text=line))
    if mimetype: doc.mimetype = mimetype
    return doc
text().save("odfpy.odt")
text("application/vnd.oasis.opendocument.text-template").save("odfpy.ott")
sheet = OpenDocumentSpreadsheet(); table = Table(name="Sheet1"); row = TableRow()
cell = TableCell(valuetype="float", value=42); cell.addElement(P(text="42")); row.addElement(cell)
table.addElement(row); sheet.spreadsheet.addElement(table); sheet.save("odfpy.ods")
def one_page(doc, body):
    layout = PageLayout(name="Layout"); doc.automaticstyles.addElement(layout)
    master = MasterPage(name="Default", pagelayoutname=layout); doc.masterstyles.addElement(master)
    page = Page(name="Page1", masterpagename=master); body.addElement(page)
    frame = Frame(x="2cm", y="2cm", width="10cm", height="2cm"); box = TextBox(); box.addElement(P(text=line))
    frame.addElement(box); page.addElement(frame)
    return doc
presentation = OpenDocumentPresentation(); one_page(presentation, presentation.presentation).save("odfpy.odp")
drawing = OpenDocumentDrawing(); one_page(drawing, drawing.drawing).save("odfpy.odg")
EOF
sample python-docx.docx docx "" python-docx "" "Word OOXML (zip)"
sample python-docx.dotx dotx "" python-docx "" "Word OOXML template (zip)"
sample openpyxl.xlsx xlsx "" openpyxl "" "Excel OOXML (zip)"
sample openpyxl.xltx xltx "" openpyxl "" "Excel OOXML template (zip)"
sample openpyxl.xlsm xlsm "" openpyxl "" "Excel OOXML macro (zip)"
sample xlsxwriter.xlsx xlsx "" xlsxwriter "" "Excel OOXML (zip)"
sample xlwt.xls xls "" xlwt "" "Excel 97-2003 (CFB)"
sample odfpy.odt odt "" odfpy "" "ODF text (zip)"
sample odfpy.ott ott "" odfpy "" "ODF text template (zip)"
sample odfpy.ods ods "" odfpy "" "ODF spreadsheet (zip)"
sample odfpy.odp odp "" odfpy "" "ODF presentation (zip)"
sample odfpy.odg odg "" odfpy "" "ODF drawing (zip)"

# ---- Gnumeric, AbiWord and pandoc
quiet() { "$@" >/dev/null 2>&1; }
quiet ssconvert -T Gnumeric_Excel:excel_biff8 cell.csv gnumeric.xls
quiet ssconvert -T Gnumeric_Excel:excel_biff7 cell.csv gnumeric95.xls
quiet ssconvert -T Gnumeric_Excel:xlsx cell.csv gnumeric.xlsx
quiet ssconvert -T Gnumeric_Excel:xlsx2 cell.csv gnumeric2.xlsx
quiet ssconvert -T Gnumeric_OpenCalc:odf cell.csv gnumeric.ods
sample gnumeric.xls xls "" gnumeric "" "Excel 97-2003 (CFB)"
sample gnumeric95.xls xls excel95 gnumeric "" "Excel 5.0/95 (CFB)"
sample gnumeric.xlsx xlsx ecma376 gnumeric "" "Excel OOXML (zip)"
sample gnumeric2.xlsx xlsx iso29500 gnumeric "" "Excel OOXML (zip)"
sample gnumeric.ods ods "" gnumeric "" "ODF spreadsheet (zip)"
for ext in docx odt rtf; do quiet abiword --to="$ext" -o "abiword.$ext" text.txt; done
sample abiword.docx docx "" abiword "" "Word OOXML (zip)"
sample abiword.odt odt "" abiword "" "ODF text (zip)"
sample abiword.rtf rtf "" abiword "" "RTF document"
for ext in docx odt pptx rtf epub; do pandoc -s -o "pandoc.$ext" text.md; done
pandoc -t epub2 -o pandoc2.epub text.md
sample pandoc.docx docx "" pandoc "" "Word OOXML (zip)"
sample pandoc.odt odt "" pandoc "" "ODF text (zip)"
sample pandoc.pptx pptx "" pandoc "" "PowerPoint OOXML (zip)"
# a show differs from a presentation only in its main part's content type, which pandoc cannot choose
"$py" - <<'EOF'
import zipfile
with zipfile.ZipFile("pandoc.pptx") as source, zipfile.ZipFile("pandoc.ppsx", "w", zipfile.ZIP_DEFLATED) as show:
    for info in source.infolist():
        data = source.read(info)
        if info.filename == "[Content_Types].xml":
            data = data.replace(b"presentationml.presentation.main+xml", b"presentationml.slideshow.main+xml")
        show.writestr(info, data)
EOF
sample pandoc.ppsx ppsx "" pandoc+python-zipfile "" "PowerPoint OOXML show (zip)"
sample pandoc.rtf rtf "" pandoc "" "RTF document"
sample pandoc.epub epub epub3 pandoc "" "EPUB e-book (zip)"
sample pandoc2.epub epub epub2 pandoc "" "EPUB e-book (zip)"

# ---- ZIP packages: zip, Python's zipfile, 7-Zip, the JDK's jar, Android's tools, wheel
mkdir -p plain && cp text.txt plain/readme.txt && cp cell.csv plain/cell.csv
touch -d @"$SOURCE_DATE_EPOCH" plain/*
(cd plain && zip -q -X ../zip.zip readme.txt cell.csv)
(cd plain && 7z a -tzip -bso0 -bsp0 ../7z.zip readme.txt cell.csv)
"$py" - <<'EOF'
import zipfile
with zipfile.ZipFile("zipfile.zip", "w", zipfile.ZIP_DEFLATED) as z:
    for name in ("readme.txt", "cell.csv"):
        z.writestr(zipfile.ZipInfo(name, (2023, 11, 14, 22, 13, 20)), open("plain/" + name, "rb").read())
EOF
sample zip.zip zip "" zip "zipx" "ZIP archive"
sample 7z.zip zip "" 7z "zipx" "ZIP archive"
sample zipfile.zip zip "" python-zipfile "zipx" "ZIP archive"
# an EPUB by hand: mimetype stored first, then the container and the package
mkdir -p epub/META-INF epub/OEBPS
printf 'application/epub+zip' >epub/mimetype
cat >epub/META-INF/container.xml <<'EOF'
<?xml version="1.0"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
  <rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/></rootfiles>
</container>
EOF
cat >epub/OEBPS/content.opf <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="3.0" unique-identifier="id">
  <metadata xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:identifier id="id">urn:uuid:3b1f0c4e-0000-4000-8000-000000000001</dc:identifier>
    <dc:title>Container sample</dc:title><dc:language>en</dc:language>
    <meta property="dcterms:modified">2023-11-14T22:13:20Z</meta></metadata>
  <manifest><item id="text" href="text.xhtml" media-type="application/xhtml+xml" properties="nav"/></manifest>
  <spine><itemref idref="text"/></spine>
</package>
EOF
cat >epub/OEBPS/text.xhtml <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml" xmlns:epub="http://www.idpf.org/2007/ops"><head><title>Sample</title></head>
<body><nav epub:type="toc"><ol><li><a href="text.xhtml">Sample</a></li></ol></nav><p>Hello from a container sample.</p></body></html>
EOF
find epub -exec touch -d @"$SOURCE_DATE_EPOCH" {} +
(cd epub && zip -q -X -0 ../zip.epub mimetype && zip -q -X -r ../zip.epub META-INF OEBPS)
sample zip.epub epub "" zip "" "EPUB e-book (zip)"
# Java archives: the JDK's jar, and zip with the manifest first
mkdir -p java/classes/org/quorvane java/zipped/META-INF
printf 'package org.quorvane;\npublic class Sample { public static void main(String[] a) { } }\n' >java/Sample.java
javac --release 8 -d java/classes java/Sample.java 2>/dev/null
jar --create --file jar.jar --main-class org.quorvane.Sample -C java/classes .
cp -r java/classes/org java/zipped/
printf 'Manifest-Version: 1.0\r\nMain-Class: org.quorvane.Sample\r\nCreated-By: zip\r\n\r\n' >java/zipped/META-INF/MANIFEST.MF
find java/zipped -exec touch -d @"$SOURCE_DATE_EPOCH" {} +
(cd java/zipped && zip -q -X -D ../../zip.jar META-INF/MANIFEST.MF org/quorvane/Sample.class)
sample jar.jar jar "" jar "" "Java archive (zip)"
sample zip.jar jar manifest_first zip "" "Java archive (zip)"
# Android: aapt packs a binary manifest, zipalign and apksigner finish it; and zip with the same layout
mkdir -p android
cat >android/AndroidManifest.xml <<'EOF'
<?xml version="1.0" encoding="utf-8"?>
<manifest xmlns:android="http://schemas.android.com/apk/res/android" package="org.quorvane.sample">
    <application/>
</manifest>
EOF
aapt package -f -M android/AndroidManifest.xml -F unaligned.apk >/dev/null
zipalign -f 4 unaligned.apk aapt.apk
keytool -genkeypair -keystore android/keys.p12 -storetype PKCS12 -storepass samples -alias sample -keyalg RSA \
    -keysize 2048 -validity 10000 -dname CN=sample >/dev/null 2>&1
apksigner sign --ks android/keys.p12 --ks-pass pass:samples aapt.apk >/dev/null 2>&1
mkdir -p android/zipped/META-INF && unzip -q -o aapt.apk AndroidManifest.xml -d android/zipped
printf 'dex\n035\0' >android/zipped/classes.dex
printf 'Manifest-Version: 1.0\r\nCreated-By: zip\r\n\r\n' >android/zipped/META-INF/MANIFEST.MF
find android/zipped -exec touch -d @"$SOURCE_DATE_EPOCH" {} +
(cd android/zipped && zip -q -X -D ../../zip.apk AndroidManifest.xml classes.dex META-INF/MANIFEST.MF)
sample aapt.apk apk "" aapt+apksigner "" "Android package (zip)"
sample zip.apk apk layout zip "" "Android package (zip)"
# Python wheels: setuptools' bdist_wheel (python3-wheel), and zip with the dist-info layout
mkdir -p wheel/sample
printf 'ANSWER = 42\n' >wheel/sample/__init__.py
printf 'from setuptools import setup\nsetup(name="sample", version="1.0", packages=["sample"])\n' >wheel/setup.py
(cd wheel && "$py" setup.py -q bdist_wheel -d ../wheels >/dev/null 2>&1)
cp wheels/sample-1.0-py3-none-any.whl bdist.whl
mkdir -p wheel/zipped/sample wheel/zipped/sample-1.0.dist-info
cp wheel/sample/__init__.py wheel/zipped/sample/
printf 'Metadata-Version: 2.1\nName: sample\nVersion: 1.0\n' >wheel/zipped/sample-1.0.dist-info/METADATA
printf 'Wheel-Version: 1.0\nGenerator: zip\nRoot-Is-Purelib: true\nTag: py3-none-any\n' \
    >wheel/zipped/sample-1.0.dist-info/WHEEL
printf 'sample/__init__.py,,\nsample-1.0.dist-info/METADATA,,\nsample-1.0.dist-info/WHEEL,,\nsample-1.0.dist-info/RECORD,,\n' \
    >wheel/zipped/sample-1.0.dist-info/RECORD
find wheel/zipped -exec touch -d @"$SOURCE_DATE_EPOCH" {} +
(cd wheel/zipped && zip -q -X -D -r ../../zip.whl sample sample-1.0.dist-info)
sample bdist.whl whl "" python3-wheel "" "Python wheel (zip)"
sample zip.whl whl dist_info_layout zip "" "Python wheel (zip)"

# ---- Matroska: mkvmerge and ffmpeg, each for video, audio, WebM and subtitles
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
exact=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact)
ff -f lavfi -i testsrc=size=32x32:rate=5:duration=0.4 -c:v libx264 -pix_fmt yuv420p "${exact[@]}" v.h264
ff -f lavfi -i testsrc=size=32x32:rate=5:duration=0.4 -c:v libvpx -b:v 50k "${exact[@]}" -f ivf v.ivf
ff -f lavfi -i sine=duration=0.3 -c:a libopus -b:a 16k "${exact[@]}" a.opus
ff -f lavfi -i sine=duration=0.3 -c:a libvorbis "${exact[@]}" a.ogg
printf '1\n00:00:00,000 --> 00:00:00,300\nHello from a container sample.\n' >s.srt
mkv() { mkvmerge --quiet --deterministic 1 --no-date "$@"; }
mkv -o mkvmerge.mkv --default-duration 0:5fps v.h264 a.opus
mkv -o mkvmerge.mka a.ogg
mkv --webm -o mkvmerge.webm v.ivf a.opus
mkv -o mkvmerge.mks s.srt
video=(-f lavfi -i testsrc=size=32x32:rate=5:duration=0.4)
audio=(-f lavfi -i sine=duration=0.3)
ff "${video[@]}" "${audio[@]}" -c:v libx264 -pix_fmt yuv420p -c:a libopus -b:a 16k "${exact[@]}" -f matroska ffmpeg.mkv
ff "${audio[@]}" -c:a libvorbis "${exact[@]}" -f matroska ffmpeg.mka
ff "${video[@]}" "${audio[@]}" -c:v libvpx -b:v 50k -c:a libopus -b:a 16k "${exact[@]}" -f webm ffmpeg.webm
ff -i s.srt -c:s srt "${exact[@]}" -f matroska ffmpeg.mks
for w in mkvmerge ffmpeg; do
    sample $w.mkv mkv "" $w "" "Matroska video"
    sample $w.mka mka "" $w "" "Matroska audio"
    sample $w.webm webm "" $w "" "WebM video"
    sample $w.mks mks "" $w "" "Matroska subtitles"
done

# ---- Windows PE: MinGW-w64 (64 and 32 bit) and clang with lld; a program, a library, a control panel item
printf 'int main(void) { return 0; }\n' >prog.c
printf '__declspec(dllexport) int answer(void) { return 42; }\n' >lib.c
cat >applet.c <<'EOF'
#include <windows.h>
#include <cpl.h>
__declspec(dllexport) LONG APIENTRY CPlApplet(HWND window, UINT message, LPARAM first, LPARAM second)
{
    (void)window; (void)first; (void)second;
    return message == CPL_INIT ? 1 : 0;
}
EOF
pe() {  # pe WRITER COMPILER...: a program, a DLL and a CPL, stripped and without a link time
    local writer=$1
    shift
    "$@" -Os -s -Wl,--no-insert-timestamp -o "$writer.exe" prog.c
    "$@" -Os -s -Wl,--no-insert-timestamp -shared -o "$writer.dll" lib.c
    # --kill-at: a 32-bit CPlApplet is __stdcall, and Windows looks it up without the "@16"
    "$@" -Os -s -Wl,--no-insert-timestamp,--kill-at -shared -o "$writer.cpl" applet.c
    sample "$writer.exe" exe "" "$writer" "" "Windows PE executable"
    sample "$writer.dll" dll "" "$writer" "" "Windows PE DLL"
    sample "$writer.cpl" cpl "" "$writer" "" "Windows control panel item (PE DLL)"
}
pe mingw x86_64-w64-mingw32-gcc-posix
pe mingw-i686 i686-w64-mingw32-gcc-posix
pe clang-lld clang --target=x86_64-w64-mingw32 -fuse-ld=lld -L/usr/lib/gcc/x86_64-w64-mingw32/12-posix

# ---- Windows Installer: wixl from a WiX source, msibuild from a table
printf 'Hello from a container sample.\n' >hello.txt
cat >installer.wxs <<'EOF'
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="3A5F2C1E-0B4D-4E6F-9A81-2C3D4E5F6A7B" Name="Quorvane Sample" Language="1033" Version="1.0.0"
           Manufacturer="Quorvane" UpgradeCode="5B1A5E2C-7D3F-4C1E-9A55-3E2F1C0D4B6A">
    <Package Id="4B6A3D2F-1C5E-4F70-8B92-3D4E5F6A7B8C" InstallerVersion="200" Compressed="yes"/>
    <Media Id="1" Cabinet="sample.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="QuorvaneSample">
          <Component Id="Hello" Guid="0F3C2B1A-4D5E-4F60-8A7B-9C0D1E2F3A4B"><File Id="Hello" Source="hello.txt"/></Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Main" Level="1"><ComponentRef Id="Hello"/></Feature>
  </Product>
</Wix>
EOF
wixl -o wixl.msi installer.wxs
printf 'Property\tValue\ns72\tl0\nProperty\tProperty\nProductCode\t{12345678-1234-1234-1234-123456789012}\n' >Property.idt
msibuild msibuild.msi -i Property.idt >/dev/null
sample wixl.msi msi "" wixl "" "Windows Installer (CFB)"
sample msibuild.msi msi "" msibuild "" "Windows Installer (CFB)"

# ---- ID3-tagged audio: ffmpeg's mp3 and ADTS muxers, LAME, id3v2, and tags put in front by mutagen or by hand
ff -f lavfi -i sine=duration=0.2 -c:a libmp3lame -b:a 32k "${exact[@]}" -write_id3v2 0 -write_xing 0 bare.mp3
ff -f lavfi -i sine=duration=0.2 -c:a libmp3lame -b:a 32k "${exact[@]}" -id3v2_version 3 \
    -metadata title="Container sample" ffmpeg-v3.mp3
ff -f lavfi -i sine=duration=0.2 -c:a libmp3lame -b:a 32k "${exact[@]}" -id3v2_version 4 \
    -metadata title="Container sample" ffmpeg-v4.mp3
ff -f lavfi -i sine=duration=0.2 -c:a pcm_s16le "${exact[@]}" tone.wav
lame --quiet -b 32 --id3v2-only --tt "Container sample" tone.wav lame.mp3
cp bare.mp3 id3v2.mp3 && id3v2 --song "Container sample" id3v2.mp3 >/dev/null
ff -f lavfi -i sine=duration=0.2 -c:a flac "${exact[@]}" bare.flac
ff -f lavfi -i sine=duration=0.2 -c:a aac -b:a 32k "${exact[@]}" -f adts bare.aac
ff -f lavfi -i sine=duration=0.2 -c:a aac -b:a 32k "${exact[@]}" -f adts -write_id3v2 1 \
    -metadata title="Container sample" ffmpeg.aac
cp bare.flac mutagen.flac && cp bare.aac mutagen.aac
"$py" - <<'EOF'
import struct
from mutagen.id3 import ID3, TIT2
for name in ("mutagen.flac", "mutagen.aac"):
    tag = ID3(); tag.add(TIT2(encoding=3, text="Container sample")); tag.save(name, v2_version=3)
# by hand: an ID3v2.3 header and one TIT2 frame (sizes as 28-bit synchsafe / 32-bit big endian)
frame = b"TIT2" + struct.pack(">IH", 17, 0) + b"\x00Container sample"
size = len(frame)
header = b"ID3\x03\x00\x00" + bytes((size >> 21 & 0x7F, size >> 14 & 0x7F, size >> 7 & 0x7F, size & 0x7F))
open("hand.flac", "wb").write(header + frame + open("bare.flac", "rb").read())
EOF
sample ffmpeg-v3.mp3 mp3 id3v23 ffmpeg "" "MP3 audio (ID3v2)"
sample ffmpeg-v4.mp3 mp3 id3v24 ffmpeg "" "MP3 audio (ID3v2)"
sample lame.mp3 mp3 "" lame "" "MP3 audio (ID3v2)"
sample id3v2.mp3 mp3 "" ffmpeg+id3v2 "" "MP3 audio (ID3v2)"
sample mutagen.flac flac id3 ffmpeg+mutagen "" "FLAC audio"
sample hand.flac flac id3 ffmpeg+hand-made-id3 "" "FLAC audio"
sample ffmpeg.aac aac id3 ffmpeg "" "AAC (ADTS) audio"
sample mutagen.aac aac id3 ffmpeg+mutagen "" "AAC (ADTS) audio"

# ---- ELF: gcc and clang; an executable (no extension), a shared object, a relocatable object
printf 'int answer(void) { return 42; }\n' >elflib.c
for cc in gcc clang; do
    $cc -Os -s -o "$cc-prog" prog.c
    $cc -Os -s -shared -fPIC -o "$cc.so" elflib.c
    $cc -Os -c -o "$cc.o" prog.c
    sample "$cc-prog" "" "" "$cc" "" "ELF executable"
    sample "$cc.so" so "" "$cc" "" "ELF shared object"
    sample "$cc.o" o "" "$cc" "" "ELF relocatable object"
done

exec 3>&-
echo "wrote $dest/manifest.tsv ($(($(wc -l <"$dest/manifest.tsv") - 1)) files, $(du -sh "$dest/files" | cut -f1))"
