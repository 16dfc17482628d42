#!/usr/bin/env bash
# Makes real files of the signature families with Debian's own tools and writes
#   tests/data/family_samples.tsv   extension, expected proposal, hex of the first 64 bytes, name
#                                   (the name says how the file was made; the table test reads this)
#   OUTDIR/files/... and OUTDIR/manifest.tsv, the same files in the corpus scorer's manifest format
#                                   (path, ext, alt_exts, type, source) for scripts/accuracy-style scoring.
# Not run in CI. Tools: imagemagick ffmpeg libheif-examples libavif-bin libopenjp2-tools msitools
# libgsf-bin gcc-mingw-w64-x86-64-posix clang llvm lld default-jdk-headless rpm deltarpm sharutils zip nodejs.
#
# Usage: scripts/make_family_samples.sh [OUTDIR]   (default /tmp/quorvane-family-samples)
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
out=${1:-/tmp/quorvane-family-samples}
tsv=$root/tests/data/family_samples.tsv
rm -rf "$out"
mkdir -p "$out/files" "$out/src"
cd "$out/src"
exec 3>"$tsv" 4>"$out/manifest.tsv"
printf '# extension\texpected proposal\tfirst 64 bytes\tname (how it was made)\n' >&3
printf 'path\text\talt_exts\ttype\tsource\n' >&4

# sample FILE EXT PROPOSAL NAME ALTS TYPE: records FILE named with EXT.
sample() {
    local file=$1 ext=$2 proposal=$3 name=$4 alts=$5 type=$6
    local copy="files/$name${ext:+.$ext}"
    cp "$file" "$out/$copy"
    printf '%s\t%s\t%s\t%s\n' "$ext" "$proposal" "$(head -c 64 "$file" | od -An -v -tx1 | tr -d ' \n')" "$name" >&3
    printf '%s\t%s\t%s\t%s\t%s\n' "$copy" "$ext" "$alts" "$type" "generated" >&4
}

# ---- JPEG 2000: opj_compress writes the JP2 file format and bare codestreams
convert -size 16x16 gradient:red-blue img.ppm
convert -size 16x16 xc:gray img.pgm
opj_compress -n 2 -i img.ppm -o img.jp2 >/dev/null
opj_compress -n 2 -i img.ppm -o img.j2k >/dev/null
opj_compress -n 2 -i img.ppm -o img.j2c >/dev/null
sample img.jp2 jp2 jp2 jp2_from_opj_compress "jpx,jpf" "JPEG 2000 image"
# a JP2 file is a valid JPX file; JPX readers take it under their own names
sample img.jp2 jpf jp2 jpf_jp2_from_opj_compress "jp2,jpx" "JPEG 2000 image"
sample img.jp2 jpx jp2 jpx_jp2_from_opj_compress "jp2,jpf" "JPEG 2000 image"
sample img.j2k j2k j2k j2k_from_opj_compress "jpc,j2c" "JPEG 2000 codestream"
sample img.j2c j2c j2k j2c_from_opj_compress "jpc,j2k" "JPEG 2000 codestream"

# ---- ISO base media: ffmpeg's muxers and their brands, libheif and libavif
ffmpeg -loglevel error -f lavfi -i testsrc=size=32x32:rate=5:duration=0.4 -f lavfi -i sine=duration=0.4 \
    -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest av.mp4
ffmpeg -loglevel error -f lavfi -i sine=duration=0.4 -c:a aac a.m4a
mux() {  # mux OUTPUT INPUT FORMAT [BRAND]
    ffmpeg -loglevel error -i "$2" -c copy -f "$3" ${4:+-brand "$4"} "$1"
}
mux mp4.mp4 av.mp4 mp4
mux mov.mov av.mp4 mov
mux m4v.m4v av.mp4 ipod
mux m4a.m4a a.m4a ipod
mux m4b.m4b a.m4a ipod "M4B "
mux m4p.m4p a.m4a ipod "M4P "
mux f4v.f4v av.mp4 f4v
mux f4a.f4a a.m4a f4v "F4A "
mux f4b.f4b a.m4a f4v "F4B "
mux f4p.f4p av.mp4 f4v "F4P "
mux 3gp.3gp av.mp4 3gp
mux 3g2.3g2 av.mp4 3g2
mux psp.mp4 av.mp4 psp
sample mp4.mp4 mp4 mp4 mp4_from_ffmpeg "m4v" "MPEG-4 video"
sample psp.mp4 mp4 mp4 mp4_psp_brand_from_ffmpeg "m4v" "MPEG-4 video"
sample mov.mov mov mov mov_from_ffmpeg "qt" "QuickTime movie"
sample mov.mov qt mov qt_from_ffmpeg "mov" "QuickTime movie"
sample m4v.m4v m4v m4v m4v_from_ffmpeg "mp4" "MPEG-4 video (Apple)"
sample m4a.m4a m4a m4a m4a_from_ffmpeg "mp4,m4b" "MPEG-4 audio"
sample m4b.m4b m4b m4b m4b_from_ffmpeg "m4a,mp4" "MPEG-4 audiobook"
sample m4p.m4p m4p m4p m4p_from_ffmpeg "m4a,mp4" "MPEG-4 protected audio"
sample m4a.m4a m4r m4a m4r_from_ffmpeg "m4a,mp4" "MPEG-4 ringtone"
sample f4v.f4v f4v f4v f4v_from_ffmpeg "mp4" "Flash MP4 video"
sample f4a.f4a f4a f4a f4a_from_ffmpeg "m4a,mp4" "Flash MP4 audio"
sample f4b.f4b f4b f4b f4b_from_ffmpeg "m4b,mp4" "Flash MP4 audiobook"
sample f4p.f4p f4p f4p f4p_from_ffmpeg "f4v,mp4" "Flash MP4 protected video"
sample 3gp.3gp 3gp 3gp 3gp_from_ffmpeg "3gpp" "3GPP media"
sample 3gp.3gp 3gpp 3gp 3gpp_from_ffmpeg "3gp" "3GPP media"
sample 3g2.3g2 3g2 3g2 3g2_from_ffmpeg "3gp2" "3GPP2 media"
sample 3g2.3g2 3gp2 3g2 3gp2_from_ffmpeg "3g2" "3GPP2 media"
convert -size 64x64 plasma:fractal -depth 8 still.png 2>/dev/null
heif-enc -q 50 still.png -o still.heic >/dev/null
avifenc -s 10 still.png still.avif >/dev/null
for i in 1 2 3; do convert still.png -roll +${i}0+0 frame$i.png; done
convert frame1.png frame2.png frame3.png -depth 8 frames.y4m 2>/dev/null ||
    ffmpeg -loglevel error -i frame%d.png -pix_fmt yuv420p frames.y4m
avifenc -s 10 frames.y4m seq.avif >/dev/null
sample still.heic heic heic heic_from_heif_enc "heif,hif" "HEIF/HEIC image"
sample still.heic heif heic heif_from_heif_enc "heic,hif" "HEIF/HEIC image"
sample still.heic hif heic hif_from_heif_enc "heic,heif" "HEIF/HEIC image"
sample still.avif avif avif avif_from_avifenc "avifs" "AVIF image"
sample seq.avif avifs avif avifs_from_avifenc "avif" "AVIF image sequence"

# ---- Windows PE: the MinGW compiler; one program and one library, each under its kind's names
cat >prog.c <<'EOF'
int main(void) { return 0; }
EOF
cat >lib.c <<'EOF'
__declspec(dllexport) int answer(void) { return 42; }
EOF
x86_64-w64-mingw32-gcc -O2 -o prog.exe prog.c
x86_64-w64-mingw32-gcc -O2 -shared -o lib.dll lib.c
x86_64-w64-mingw32-gcc -O2 -nostdlib -shared -Wl,--subsystem,10 -e answer -o app.efi lib.c
x86_64-w64-mingw32-gcc -O2 -nostdlib -shared -Wl,--subsystem,1 -e answer -o driver.sys lib.c
sample prog.exe exe exe exe_from_mingw "" "Windows PE executable"
sample prog.exe scr exe scr_from_mingw "exe" "Windows screen saver (PE)"
sample app.efi efi exe efi_from_mingw "" "EFI application (PE)"
sample driver.sys sys exe sys_from_mingw "" "Windows driver (PE)"
for ext in dll ocx cpl drv mui ax acm pyd ime xll winmd fon tsp bpl mun; do
    sample lib.dll "$ext" exe "${ext}_dll_from_mingw" "dll" "Windows PE DLL"
done

# ---- the old Office container: libgsf and msitools write Compound Files
printf 'compound file member\n' >member.txt
gsf createole cfb.doc member.txt
printf 'Property\tValue\ns72\tl0\nProperty\tProperty\nProductCode\t{12345678-1234-1234-1234-123456789012}\n' >Property.idt
msibuild installer.msi -i Property.idt >/dev/null
sample installer.msi msi doc msi_from_msibuild "" "Windows Installer (CFB)"
for ext in doc dot xls xlt xla xlw ppt pps pot ppa msp mst msm msg pub vsd vss vst mpp wps shs shb ade adp \
    db fpx sdw sdc sdd aaf hwp dotx dotm xltx xltm xlsb xlam potx potm ppsx ppsm ppam thmx; do
    sample cfb.doc "$ext" doc "${ext}_cfb_from_gsf" "" "Compound File ($ext)"
done

# ---- Mach-O: clang objects for Apple targets, bound into universal files by llvm-lipo
for arch in x86_64 arm64 i386; do clang -target "$arch-apple-macos11" -c -o "lib-$arch.o" prog.c 2>/dev/null ||
    clang -target "$arch-apple-macos10.13" -c -o "lib-$arch.o" prog.c; done
llvm-lipo-14 -create lib-x86_64.o -output fat1.o
llvm-lipo-14 -create lib-x86_64.o lib-arm64.o -output fat2.o
llvm-lipo-14 -create lib-x86_64.o lib-arm64.o lib-i386.o -output fat3.o
sample lib-arm64.o o macho macho_object_from_clang "macho" "Mach-O object"
sample fat1.o o macho macho_universal1_from_lipo "macho" "Mach-O universal binary"
sample fat2.o bundle macho macho_universal2_from_lipo "macho" "Mach-O universal binary"
sample fat3.o macho macho macho_universal3_from_lipo "" "Mach-O universal binary"
printf 'class Hello { public static void main(String[] a) {} }\n' >Hello.java
javac -d . Hello.java
sample Hello.class class class class_from_javac "" "Java class"

# ---- RPM: rpmbuild's binary and source packages, makedeltarpm's delta
mkdir -p rpm/SPECS
for version in 1 2; do
    cat >rpm/SPECS/hello.rpmbuild <<EOF
Name: hello
Version: $version
Release: 1
Summary: sample
License: MIT
BuildArch: noarch
%description
sample
%install
mkdir -p %{buildroot}/usr/share/hello
echo $version > %{buildroot}/usr/share/hello/version
%files
/usr/share/hello/version
EOF
    rpmbuild --quiet --define "_topdir $PWD/rpm" -ba rpm/SPECS/hello.rpmbuild 2>/dev/null
done
makedeltarpm rpm/RPMS/noarch/hello-1-1.noarch.rpm rpm/RPMS/noarch/hello-2-1.noarch.rpm hello.drpm
sample rpm/RPMS/noarch/hello-2-1.noarch.rpm rpm rpm rpm_from_rpmbuild "" "RPM package"
sample rpm/SRPMS/hello-2-1.src.rpm rpm rpm rpm_source_from_rpmbuild "srpm" "RPM package"
sample rpm/SRPMS/hello-2-1.src.rpm srpm rpm srpm_from_rpmbuild "rpm" "RPM package"
# a full delta carries the lead of the package it makes
sample hello.drpm drpm rpm drpm_from_makedeltarpm "rpm" "Delta RPM"

# ---- ELF: gcc's shared objects under the names of their uses
gcc -O2 -shared -fPIC -o lib.so prog.c
gcc -O2 -o a.out prog.c
sample lib.so node so node_addon_from_gcc "so" "ELF shared object"
sample a.out out so out_from_gcc "" "ELF executable"

# ---- scripts: the interpreter line, from programs Debian ships, and shar's archives
pick() {  # the first program in /usr/bin whose first line starts with $1
    local f
    for f in /usr/bin/*; do
        [[ -f $f && ! -L $f ]] || continue
        [[ $(head -c ${#1} "$f" 2>/dev/null | tr -d '\0') == "$1" ]] && { echo "$f"; return; }
    done
    return 1
}
sample "$(pick '#!/usr/bin/perl')" pl pl pl_from_debian_perl_program "pm" "Perl script (text)"
sample "$(pick '#!/usr/bin/perl')" "" pl perl_program_without_extension "" "Perl script (text)"
sample "$(pick '#! /usr/bin/python3')" py py py_from_debian_python_program "pyw" "Python script (text)"
sample "$(pick '#!/usr/bin/python3')" "" py python_program_without_extension "" "Python script (text)"
sample "$(readlink -f /usr/bin/npm)" js js js_from_debian_npm "mjs,cjs" "Node.js script (text)"
printf '#!/usr/bin/env ruby\nputs "hello"\n' >hello.rb
printf '#!/usr/bin/php\n<?php echo "hello\\n";\n' >hello.php
printf '#!/usr/bin/tclsh\nputs hello\n' >hello.tcl
printf '#!/usr/bin/env lua\nprint("hello")\n' >hello.lua
printf '#!/usr/bin/awk -f\n{ print }\n' >hello.awk
sample hello.rb rb rb rb_written_by_hand "" "Ruby script (text)"
sample hello.php php php php_written_by_hand "" "PHP script (text)"
sample hello.tcl tcl tcl tcl_written_by_hand "" "Tcl script (text)"
sample hello.lua lua lua lua_written_by_hand "" "Lua script (text)"
sample hello.awk awk awk awk_written_by_hand "" "awk script (text)"
shar -q member.txt >archive.shar
sample archive.shar shar shar shar_from_sharutils "" "shell archive (text)"

# ---- ZIP packages whose first member tells nothing: zip's plain header under the family's names
mkdir -p zipdir && printf 'content\n' >zipdir/content.txt
(cd zipdir && zip -q -X ../plain.zip content.txt)
for ext in zipx docm dotx dotm xlsm xlsb xltx xltm xlam pptm potx potm ppsx ppsm ppam thmx vsdx vstx vssx \
    xps oxps odg odf ott ots otp otg odb key pages numbers 3mf aab ear aar ipa appx msix vsix usdz egg sketch ora kra; do
    sample plain.zip "$ext" zip "${ext}_zip_from_zip" "zip" "ZIP package ($ext)"
done

# ---- further names of image, audio and archive families, written by ImageMagick, sox and friends
convert img.ppm jpeg:img.jif
convert img.ppm tiff:img.tif
convert img.ppm -compress none img.pnm
convert img.ppm bmp:img.dib
convert img.ppm sgi:img.sgi
convert img.ppm fits:img.fts
convert img.ppm hdr:img.hdr
sample img.jif jif jpg jif_from_imagemagick "jpg" "JPEG image"
sample img.jif jfi jpg jfi_from_imagemagick "jpg" "JPEG image"
for ext in pef srw 3fr erf kdc mos mef nrw sr2 srf dcr iiq fff; do
    sample img.tif "$ext" tif "${ext}_tiff_from_imagemagick" "tif" "TIFF-based raw ($ext)"
done
sample img.pnm pnm ppm pnm_from_imagemagick "ppm" "Netpbm PPM image"
sample img.dib dib bmp dib_from_imagemagick "bmp" "BMP image"
for ext in rgba bw int inta; do sample img.sgi "$ext" sgi "${ext}_sgi_from_imagemagick" "sgi,rgb" "SGI image"; done
sample img.fts fts fits fts_from_imagemagick "fits,fit" "FITS image"
sample img.hdr rgbe hdr rgbe_from_imagemagick "hdr,pic" "Radiance HDR image"
ffmpeg -loglevel error -f lavfi -i testsrc=size=32x32:rate=25:duration=0.4 -c:v mpeg2video -f vob vob.mpg
ffmpeg -loglevel error -f lavfi -i testsrc=size=32x32:rate=25:duration=0.4 -c:v mpeg1video -f mpeg1video v.m1v
ffmpeg -loglevel error -f lavfi -i testsrc=size=32x32:rate=25:duration=0.4 -c:v mpeg2video -f mpegts ts.ts
ffmpeg -loglevel error -f lavfi -i testsrc=size=32x32:rate=5:duration=0.4 -c:v mpeg4 -f matroska v.mkv
ffmpeg -loglevel error -f lavfi -i sine=duration=0.4 -c:a mp2 a.mp2
ffmpeg -loglevel error -f lavfi -i sine=duration=0.4 -f rm a.ra
sample vob.mpg mpe mpg mpe_from_ffmpeg "mpg,mpeg" "MPEG program stream"
sample vob.mpg m2p mpg m2p_from_ffmpeg "mpg,mpeg" "MPEG program stream"
sample v.m1v m1v mpg m1v_from_ffmpeg "mpg,mpeg" "MPEG video"
sample ts.ts m2t ts m2t_from_ffmpeg "ts" "MPEG transport stream"
sample v.mkv mk3d mkv mk3d_from_ffmpeg "mkv" "Matroska video"
sample a.mp2 mpa mp2 mpa_from_ffmpeg "mp2" "MPEG-1 Layer II audio"
sample a.ra ra rm ra_from_ffmpeg "rm" "RealMedia"
sox -n -r 8000 -c 1 tone.wav synth 0.1 sine 440
sample tone.wav wave wav wave_from_sox "wav" "WAVE audio"
printf 'data\n' >data.txt
bzip2 -c data.txt >data.bz2; compress -c data.txt >data.Z 2>/dev/null || gzip -c data.txt >/dev/null
zstd -q -c data.txt >data.zst
sample data.bz2 tbz bz2 tbz_from_bzip2 "bz2" "bzip2 data"
sample data.bz2 bzip2 bz2 bzip2_from_bzip2 "bz2" "bzip2 data"
sample data.zst tzst zst tzst_from_zstd "zst" "Zstandard data"
[[ -s data.Z ]] && sample data.Z taz z taz_from_compress "z" "compress (.Z) data"
mkdir -p sq && cp data.txt sq/ && mksquashfs sq fs.sfs -quiet -noappend >/dev/null 2>&1 &&
    sample fs.sfs sfs squashfs sfs_from_mksquashfs "squashfs" "SquashFS image"
qemu-img create -q -f qcow2 disk.qcow 1M 2>/dev/null && sample disk.qcow qcow qcow2 qcow_from_qemu_img "qcow2" "QEMU qcow2 image"
echo "wrote $tsv and $out/manifest.tsv ($(($(wc -l <"$out/manifest.tsv") - 1)) files)"
