#!/usr/bin/env python3
"""Writes packed_styles.zip, a small stand-in for the themes' packed markup
styles (a folder entry and two deflated texts), which the foundation tests
carry as their "XAML_STYLE" resource. Run from this folder."""
import zipfile

with zipfile.ZipFile("packed_styles.zip", "w", zipfile.ZIP_DEFLATED) as z:
    folder = zipfile.ZipInfo("Frame/", date_time=(2020, 6, 15, 12, 30, 0))
    folder.create_system = 0
    folder.external_attr = 0x10
    z.writestr(folder, b"", zipfile.ZIP_STORED)
    for name, text in [("Frame/BorderTop.xaml", '<Border Background="{StaticResource FrameBorder}"/>\r\n'),
                       ("RibbonTabNormal.xaml", '<Border BorderThickness="1"/>\r\n' * 20)]:
        info = zipfile.ZipInfo(name, date_time=(2020, 6, 15, 12, 30, 0))
        info.create_system = 0
        info.external_attr = 0x20
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, text.encode("ascii"))
