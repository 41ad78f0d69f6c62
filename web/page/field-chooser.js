// Which fields of an answer the batch shows and saves, as kobal-lookup's --fields chooses them:
// a checkbox for each, in the fields' own order. The three of the first batch view (input,
// number, result) give its CSV byte for byte.
import { FIELDS } from "../module/core.js";

// Each field's heading, in the table and the CSV.
export const FIELD_LABELS = Object.freeze({
  input: "入力",
  number: "番号",
  formatted: "表記",
  status: "状態",
  kind: "種別",
  prefecture: "都道府県",
  place: "地域",
  ma: "単位料金区域",
  carrier: "事業者",
  region: "地方",
  result: "結果",
});

export const DEFAULT_FIELDS = Object.freeze(["input", "number", "formatted", "kind", "prefecture", "result"]);

export class FieldChooser {
  // Puts a checkbox for each field into `container`; onChange(fields) hears every change.
  constructor(container, onChange) {
    this.boxes = FIELDS.map((field) => {
      const label = document.createElement("label");
      const box = document.createElement("input");
      box.type = "checkbox";
      box.id = `field-${field}`;
      box.value = field;
      box.checked = DEFAULT_FIELDS.includes(field);
      const name = document.createElement("span");
      name.className = "field-name";
      name.textContent = field;
      label.append(box, FIELD_LABELS[field], " ", name);
      container.append(label);
      return box;
    });
    container.addEventListener("change", (event) => {
      // A table and a CSV of no column would say nothing: the last field stays chosen.
      if (this.fields.length === 0) event.target.checked = true;
      onChange(this.fields);
    });
  }

  // The chosen fields, in the fields' order.
  get fields() {
    return this.boxes.filter((box) => box.checked).map((box) => box.value);
  }
}
