#!/usr/bin/python3
"""An independent reader and writer of XLSX files for the spreadsheet tests (openpyxl).

  openpyxl_sheets.py roster OUT.xlsx ROWS.json  write the rows (lists of cells) as the first sheet
  openpyxl_sheets.py formula OUT.xlsx           a sheet with a formula in B2
  openpyxl_sheets.py tall OUT.xlsx ROW          a sheet with one cell in row ROW
  openpyxl_sheets.py zip OUT.xlsx               a ZIP file that holds no workbook
  openpyxl_sheets.py altered OUT.xlsx           a workbook stored unpacked, one digit of its
                                                strings changed after its checksum was taken
  openpyxl_sheets.py notutf8 OUT.xlsx ROW        numbers in rows 1 to ROW, a byte that is not UTF-8
                                                in the sheet's XML after row ROW starts
  openpyxl_sheets.py dump IN.xlsx               every sheet: title, frozen cell, whether every used
                                                column has a width, then each row's cells as
                                                type:value separated by TAB
"""
import json
import sys

import openpyxl


def roster(out, rows_file):
    workbook = openpyxl.Workbook()
    sheet = workbook.active
    with open(rows_file, encoding="utf-8") as rows:
        for row in json.load(rows):
            sheet.append(row)
    # A second sheet that the import must not read.
    workbook.create_sheet("other").append(["not", "this"])
    workbook.save(out)


def formula(out):
    workbook = openpyxl.Workbook()
    workbook.active.append(["班级", "姓名", "考号"])
    workbook.active.append(["一班", "=A1&A1", 1001])
    workbook.save(out)


def tall(out, row):
    workbook = openpyxl.Workbook()
    workbook.active.cell(row=int(row), column=1, value="x")
    workbook.save(out)


def plain_zip(out):
    import zipfile
    with zipfile.ZipFile(out, "w") as archive:
        archive.writestr("hello.txt", "not a workbook")


def altered(out):
    import io
    import zipfile
    workbook = openpyxl.Workbook()
    workbook.active.append(["20240101"])
    packed = io.BytesIO()
    workbook.save(packed)
    stored = io.BytesIO()
    with zipfile.ZipFile(packed) as source, zipfile.ZipFile(stored, "w", zipfile.ZIP_STORED) as target:
        for name in source.namelist():
            target.writestr(name, source.read(name))
    with open(out, "wb") as file:
        file.write(stored.getvalue().replace(b"20240101", b"90240101", 1))


def not_utf8(out, row):
    import io
    import re
    import zipfile
    workbook = openpyxl.Workbook()
    for number in range(1, int(row) + 1):
        workbook.active.append([number, 20240000 + number])
    packed = io.BytesIO()
    workbook.save(packed)
    with zipfile.ZipFile(packed) as source, zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as target:
        for name in source.namelist():
            data = source.read(name)
            if name == "xl/worksheets/sheet1.xml":
                start = rb'(<row r="' + row.encode() + rb'"[^>]*>)'
                data = re.sub(start, lambda tag: tag.group(1) + b"\xe9", data)
            target.writestr(name, data)


def cell_text(value):
    if value is None:
        return "-"
    if isinstance(value, bool):
        return "b:" + str(value)
    if isinstance(value, (int, float)):
        return "n:" + repr(value)
    return "s:" + value


def dump(path):
    workbook = openpyxl.load_workbook(path)
    for sheet in workbook.worksheets:
        widths = all(sheet.column_dimensions[openpyxl.utils.get_column_letter(c)].width
                     for c in range(1, sheet.max_column + 1))
        print(f"sheet {sheet.title} frozen {sheet.freeze_panes} widths {widths}")
        for row in sheet.iter_rows(values_only=True):
            print("\t".join(cell_text(value) for value in row))


if __name__ == "__main__":
    command, args = sys.argv[1], sys.argv[2:]
    {"roster": roster, "formula": formula, "tall": tall, "zip": plain_zip, "altered": altered,
     "notutf8": not_utf8, "dump": dump}[command](*args)
