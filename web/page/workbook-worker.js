// Makes the page's workbooks in a worker of their own: reading the whole list and building the
// whole file in one go (as write-excel-file does) held the page up for seconds (50,000 records,
// 3 s). Given the engine's compiled module, the file, its answered column and the fields added
// for it; gives back the workbook as a Blob with the reader's warnings, or what went wrong.
/*! write-excel-file 4.1.1 | MIT License | Copyright (c) 2018 gitlab.com/catamphetamine */
/*! fflate 0.8.3 | MIT License | Copyright (c) 2026 Arjun Barrett */
import { generateXlsxFileSync } from "write-excel-file/modules/export/writeXlsxFileUniversal.js";
import toBytes from "write-excel-file/modules/export/convertFileContentToUint8ArrayBrowser.js";
import { createKobal } from "../module/core.js";

self.onmessage = async ({ data: { compiled, bytes, column, fields } }) => {
  try {
    const engine = await createKobal(compiled);
    // The cells and widths as kobal-lookup's workbooks have them.
    const reader = engine.recordsReader([column], "auto", { workbook: true, fields });
    reader.feed(bytes, true);
    const { rows, header, widths, warnings } = reader.read();
    const data = rows.map((row, index) =>
      row.map((text) => {
        // Every cell text: leading zeros stay, and nothing becomes a formula.
        const cell = { type: String, value: text };
        if (header && index === 0) cell.fontWeight = "bold";
        return text === "" ? null : cell;
      }),
    );
    const columns = widths.map((width) => ({ width }));
    // Zipped here at once: this worker is already off the page.
    const blob = await generateXlsxFileSync(data, { columns, stickyRowsCount: header ? 1 : 0 }, undefined, toBytes);
    self.postMessage({ blob, warnings });
  } catch (error) {
    self.postMessage({ error: String(error?.message ?? error) });
  }
};
