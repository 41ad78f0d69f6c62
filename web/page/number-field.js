// The number field as the window's: only the digits 0 to 9 from the keyboard, at most its
// maxlength (the window's limit, which the build writes into the page); a pasted or dropped text
// goes through the normaliser, so a written number comes in as its digits and a text that is not
// one number brings nothing. A number that does not fit beside what the field holds stays out
// whole rather than cut.

const DIGITS = /^[0-9]*$/;
// Longer than this, a text is not a number that could fit the field; refusing it unread keeps a
// paste of millions of characters from stalling the page in the normaliser.
const LONGEST_WRITTEN_NUMBER = 1024;

export function makeNumberField(field, normalise) {
  const pasteNumber = (text) => {
    if (text.length > LONGEST_WRITTEN_NUMBER) return;
    const number = normalise(text);
    if (number === null) return;
    const { selectionStart: start, selectionEnd: end } = field;
    if (field.value.length - (end - start) + number.length > field.maxLength) return;
    field.focus();
    // Inserted as typing would be, so that undo takes it back; setRangeText where the browser
    // has no such command.
    if (!document.execCommand("insertText", false, number)) {
      field.setRangeText(number, start, end, "end");
      field.dispatchEvent(new InputEvent("input", { bubbles: true, inputType: "insertText", data: number }));
    }
  };

  field.addEventListener("beforeinput", (event) => {
    switch (event.inputType) {
      case "insertText":
      case "insertReplacementText": {
        const text = event.data ?? event.dataTransfer?.getData("text/plain") ?? "";
        if (!DIGITS.test(text)) event.preventDefault();
        break;
      }
      case "insertCompositionText": // cannot be refused; what it commits is taken at its end
        break;
      default:
        // Pastes and drops come through their own events below; any other way for them is refused.
        // (Enter's insertLineBreak must pass: it submits the form.)
        if (event.inputType.startsWith("insertFrom")) event.preventDefault();
    }
  });
  field.addEventListener("paste", (event) => {
    event.preventDefault();
    pasteNumber(event.clipboardData?.getData("text/plain") ?? "");
  });
  field.addEventListener("drop", (event) => {
    event.preventDefault(); // copied, never moved out of another field
    const caret = document.caretPositionFromPoint?.(event.clientX, event.clientY);
    if (caret?.offsetNode === field) field.setSelectionRange(caret.offset, caret.offset);
    pasteNumber(event.dataTransfer?.getData("text/plain") ?? "");
  });

  // An input method shows what is being composed in the field; when it commits, the field goes
  // back to what it held and the committed text comes in as a pasted one: full-width digits
  // become digits, letters stay out.
  let beforeComposition = null;
  field.addEventListener("compositionstart", () => {
    const { value, selectionStart, selectionEnd } = field;
    beforeComposition = { value, selectionStart, selectionEnd };
  });
  field.addEventListener("compositionend", (event) => {
    if (beforeComposition === null) return;
    const { value, selectionStart, selectionEnd } = beforeComposition;
    beforeComposition = null;
    field.value = value;
    field.setSelectionRange(selectionStart, selectionEnd);
    pasteNumber(event.data ?? "");
  });
}
