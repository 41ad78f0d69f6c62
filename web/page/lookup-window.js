// The lookup window as in the Kobal program: the number field, 検索 (and Enter), the read-only
// result line, the number selected again after each search; ヘルプ (and F1) opens the page's
// help, バージョン情報 shows the window's About text, which the engine holds.
import { makeNumberField } from "./number-field.js";

const HELP_PAGE = "help/index.html";
// A live region announces a change; emptied first and filled a moment later, it announces the
// same answer twice when the same number is searched twice.
const ANNOUNCEMENT_DELAY_MS = 100;

export class LookupWindow {
  constructor(engine) {
    this.engine = engine;
    this.window = document.getElementById("lookup-window");
    this.number = document.getElementById("number");
    this.result = document.getElementById("result");
    this.announcement = document.getElementById("result-announcement");
    this.aboutBox = document.getElementById("about-box");
    this.pendingAnnouncement = 0;

    makeNumberField(this.number, engine.normalisePasted);
    document.getElementById("lookup-form").addEventListener("submit", (event) => {
      event.preventDefault();
      this.search();
    });
    // Enter in the result line searches too, as the window's default button does.
    this.result.addEventListener("keydown", (event) => {
      if (event.key === "Enter" && !event.isComposing) {
        event.preventDefault();
        this.search();
      }
    });
    document.getElementById("about-command").addEventListener("click", () => this.showAbout());
    // Closed with OK or Esc, the box leaves the number ready for typing, as the window does.
    this.aboutBox.addEventListener("close", () => this.number.focus());
    // F1 opens the help from anywhere on the page, the About box too. The mnemonics Alt+S
    // 検索(S), Alt+H ヘルプ(H) and Alt+A バージョン情報(A) are the window's: they act only while
    // the focus is in it, so that the batch view's keys stay its own.
    const windowCommands = {
      KeyS: () => this.search(),
      KeyH: () => this.openHelp(),
      KeyA: () => this.showAbout(),
    };
    document.addEventListener("keydown", (event) => {
      if (event.ctrlKey || event.shiftKey || event.metaKey) return;
      const inWindow = this.window.contains(document.activeElement);
      let command;
      if (event.key === "F1" && !event.altKey) command = () => this.openHelp();
      else if (event.altKey && inWindow) command = windowCommands[event.code];
      if (command === undefined) return;
      event.preventDefault(); // the browser's own help or menu
      command();
    });
  }

  openHelp() {
    window.open(HELP_PAGE, "_blank", "noopener");
  }

  // The number as written goes through the normaliser; what is not one number gets the answer
  // for no number, as in kobal-lookup.
  search() {
    try {
      const digits = this.engine.normalise(this.number.value);
      this.result.value = this.engine.detectCarrier(digits ?? "");
    } catch (error) {
      this.result.value = `調べられませんでした: ${error.message}`; // e.g. no memory for the text
    }
    this.result.scrollLeft = 0; // an answer wider than the line shows its beginning
    this.announce(this.result.value);
    this.number.focus();
    this.number.select();
  }

  announce(text) {
    clearTimeout(this.pendingAnnouncement);
    this.announcement.textContent = "";
    this.pendingAnnouncement = setTimeout(() => {
      this.announcement.textContent = text;
    }, ANNOUNCEMENT_DELAY_MS);
  }

  showAbout() {
    document.getElementById("about-text").textContent = this.engine.aboutText();
    this.aboutBox.showModal();
  }
}
