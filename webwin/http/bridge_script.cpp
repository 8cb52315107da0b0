// "/webwin.js": the page half of the bridge, and the settings line that creates it for the window.
#include "frame/library_state.h"
#include "http_serving.h"

namespace webwin {
namespace {

// The bridge object of the page: its WebSocket half speaks the packet protocol (an 8-byte head
// of signature, token, id and command, then the payload).
constexpr std::string_view kBridgeScript = R"JS('use strict';
if (typeof globalThis.WebwinBridge === 'undefined') {
  const SIGNATURE = 0xDD, CHUNK = 65500, CORE = '__webwin_core_api__';
  const CMD = { RESIZED: 0xF3, DRAG: 0xF4, CHECK_TK: 0xF5, MULTI: 0xF6, NEW_ID: 0xF7, SEND_RAW: 0xF8,
    CALL_FUNC: 0xF9, CLOSE: 0xFA, NAVIGATION: 0xFB, CLICK: 0xFC, JS_QUICK: 0xFD, JS: 0xFE };
  const encoder = new TextEncoder(), decoder = new TextDecoder();
  const join = (parts) => {
    let length = 0;
    for (const p of parts) length += p.length;
    const out = new Uint8Array(length);
    let at = 0;
    for (const p of parts) { out.set(p, at); at += p.length; }
    return out;
  };
  const asBytes = (value) => {
    if (value instanceof Uint8Array) return value;
    if (value instanceof ArrayBuffer) return new Uint8Array(value);
    return encoder.encode(typeof value === 'string' ? value : String(value));
  };
  globalThis.WebwinBridge = class WebwinBridge {
    #settings;
    #socket = null;
    #connected = false;
    #tokenAccepted = false;
    #logging = false;
    #allowNavigation = false;
    #eventCallback = null;
    #binds = new Set();
    #allEvents = false;
    #pending = new Map();
    #nextCallId = 0xFFFF;
    #sentSincePing = false;
    #everConnected = false;
    #closing = false;
    #banner = null;
    #observer = null;
    #listening = new WeakSet();
    constructor(settings) {
      if (globalThis.webwin instanceof WebwinBridge) {
        throw new Error('Sorry. Webwin is already defined, only one instance is allowed.');
      }
      this.#settings = Object.freeze({ ...settings });
      this.#logging = !!settings.log;
      document.addEventListener('keydown', (e) => {
        if (e.key === 'F5' && !this.#logging) e.preventDefault();
      });
      document.addEventListener('contextmenu', (e) => {
        const t = e.target;
        if (!(t instanceof HTMLInputElement || t instanceof HTMLTextAreaElement)) e.preventDefault();
      });
      document.addEventListener('click', (e) => this.#interceptNavigation(e), true);
      if (settings.customWindowDrag) this.#windowDrag();
      if (typeof WebSocket === 'undefined') {
        this.#showBanner('WebSocket is not supported by your web browser');
        return;
      }
      this.#connect();
      setTimeout(() => {
        if (!this.#everConnected) this.#showBanner('Failed to connect to the backend application');
      }, 5000);
      setInterval(() => {
        if (!this.#sentSincePing && this.#socket && this.#socket.readyState === WebSocket.OPEN) {
          this.#socket.send(encoder.encode('ping'));
        }
        this.#sentSincePing = false;
      }, 20000);
    }
    #log(...args) { if (this.#logging) console.log('Webwin:', ...args); }
    #address() {
      let host = location.hostname;
      for (const script of document.getElementsByTagName('script')) {
        if (script.src && /webwin\.js(\?|$)/.test(script.src)) {
          try { host = new URL(script.src).hostname; } catch (e) { /* the page's host */ }
        }
      }
      if (host.includes(':') && !host.startsWith('[')) host = '[' + host + ']';
      return (this.#settings.secure ? 'wss://' : 'ws://') + host + ':' + this.#settings.port + '/_webwin_ws_connect';
    }
    #connect() {
      const socket = new WebSocket(this.#address());
      socket.binaryType = 'arraybuffer';
      this.#socket = socket;
      socket.onopen = () => {
        this.#connected = true;
        this.#send(CMD.CHECK_TK, 0, new Uint8Array(0));
      };
      socket.onmessage = (e) => { if (e.data instanceof ArrayBuffer) this.#receive(new Uint8Array(e.data)); };
      socket.onclose = () => {
        const was = this.#tokenAccepted;
        this.#connected = false;
        this.#tokenAccepted = false;
        for (const [, pending] of this.#pending) pending.reject(new Error('WebSocket is not connected'));
        this.#pending.clear();
        if (was && this.#eventCallback) this.#eventCallback(1);
        if (this.#closing) return;
        if (this.#everConnected) this.#showBanner('Connection lost: reconnecting...');
        setTimeout(() => this.#connect(), 500);
      };
    }
    #showBanner(text) {
      const show = () => {
        if (!this.#banner) {
          this.#banner = document.createElement('div');
          this.#banner.style.cssText = 'position:fixed;top:0;left:0;right:0;z-index:2147483647;padding:8px;' +
            'font:14px sans-serif;color:#fff;background:#c0392b;text-align:center';
          document.body.appendChild(this.#banner);
        }
        this.#banner.textContent = text;
      };
      if (document.body) show(); else document.addEventListener('DOMContentLoaded', show);
    }
    #hideBanner() {
      if (this.#banner) { this.#banner.remove(); this.#banner = null; }
    }
    #head(command, id) {
      const head = new Uint8Array(8);
      const view = new DataView(head.buffer);
      head[0] = SIGNATURE;
      view.setUint32(1, this.#settings.token >>> 0, true);
      view.setUint16(5, id, true);
      head[7] = command;
      return head;
    }
    // Packets of 65,500 bytes or more go as a CMD_MULTI head and chunks; the socket keeps their order.
    #send(command, id, payload) {
      if (!this.#socket || this.#socket.readyState !== WebSocket.OPEN) return false;
      const packet = join([this.#head(command, id), payload]);
      this.#sentSincePing = true;
      if (packet.length < CHUNK) {
        this.#socket.send(packet);
        return true;
      }
      this.#socket.send(join([this.#head(CMD.MULTI, 0), encoder.encode(String(packet.length)), new Uint8Array(1)]));
      for (let at = 0; at < packet.length; at += CHUNK) this.#socket.send(packet.subarray(at, at + CHUNK));
      return true;
    }
    #receive(packet) {
      if (packet.length < 9 || packet[0] !== SIGNATURE) return;
      const id = packet[5] | (packet[6] << 8);
      const command = packet[7];
      const payload = packet.subarray(8, packet.length - 1);
      switch (command) {
        case CMD.CHECK_TK: this.#tokenAnswer(payload); break;
        case CMD.CALL_FUNC: {
          const pending = this.#pending.get(id);
          if (pending) { this.#pending.delete(id); pending.resolve(decoder.decode(payload)); }
          break;
        }
        case CMD.JS_QUICK: this.#runScript(decoder.decode(payload), null); break;
        case CMD.JS: this.#runScript(decoder.decode(payload), id); break;
        case CMD.NAVIGATION:
          this.#closing = true;
          this.#socket.close();
          location.replace(decoder.decode(payload));
          break;
        case CMD.CLOSE:
          this.#closing = true;
          this.#socket.close();
          if (!this.#logging) window.close();
          break;
        case CMD.NEW_ID: this.#addBind(decoder.decode(payload)); this.#attachClicks(); break;
        case CMD.SEND_RAW: {
          const end = payload.indexOf(0);
          if (end < 1) break;
          const target = globalThis[decoder.decode(payload.subarray(0, end))];
          if (typeof target === 'function') target(payload.slice(end + 1));
          break;
        }
        case CMD.RESIZED: {
          const [x, y] = decoder.decode(payload).split(',').map(Number);
          this.#settings = Object.freeze({ ...this.#settings, winX: x, winY: y });
          break;
        }
        default: break;
      }
    }
    #tokenAnswer(payload) {
      if (payload.length < 1 || payload[0] !== 1) {
        location.reload();
        return;
      }
      const list = decoder.decode(payload.subarray(1));
      this.#allEvents = list === ',' || list.endsWith(',,');
      for (const name of list.split(',')) if (name !== '') this.#addBind(name);
      this.#tokenAccepted = true;
      this.#everConnected = true;
      this.#hideBanner();
      this.#attachClicks();
      if (!this.#observer && typeof MutationObserver !== 'undefined') {
        this.#observer = new MutationObserver(() => this.#attachClicks());
        this.#observer.observe(document.documentElement, { childList: true, subtree: true });
      }
      if (this.#eventCallback) this.#eventCallback(0);
    }
    #addBind(name) {
      if (name === '' || this.#binds.has(name)) return;
      this.#binds.add(name);
      if (name !== CORE && /^[A-Za-z_$][\w$]*$/.test(name) && !(name in globalThis)) {
        globalThis[name] = (...args) => this.call(name, ...args);
      }
    }
    #attachClicks() {
      for (const element of document.querySelectorAll('[id]')) {
        if (this.#listening.has(element) || !(this.#allEvents || this.#binds.has(element.id))) continue;
        this.#listening.add(element);
        element.addEventListener('click', () => {
          if (this.#tokenAccepted) this.#send(CMD.CLICK, 0, encoder.encode(element.id));
        });
      }
    }
    #interceptNavigation(e) {
      if (!this.#allEvents || this.#allowNavigation || !this.#tokenAccepted) return;
      const link = e.target instanceof Element ? e.target.closest('a[href]') : null;
      if (!link) return;
      e.preventDefault();
      this.#send(CMD.NAVIGATION, 0, encoder.encode(link.href));
    }
    #windowDrag() {
      let start = null;
      document.addEventListener('mousedown', (e) => {
        const t = e.target instanceof Element ? e.target : null;
        if (!t || getComputedStyle(t).getPropertyValue('--webwin-app-region').trim() !== 'drag') return;
        start = { x: e.screenX - (this.#settings.winX ?? window.screenX), y: e.screenY - (this.#settings.winY ?? window.screenY) };
      });
      document.addEventListener('mousemove', (e) => {
        if (!start) return;
        const position = new Uint8Array(8);
        const view = new DataView(position.buffer);
        view.setInt32(0, Math.max(0, e.screenX - start.x), true);
        view.setInt32(4, Math.max(0, e.screenY - start.y), true);
        this.#send(CMD.DRAG, 0, position);
      });
      document.addEventListener('mouseup', () => { start = null; });
    }
    async #runScript(text, id) {
      let error = 0, result;
      try {
        const body = new (Object.getPrototypeOf(async function () {}).constructor)(text);
        result = await body();
      } catch (e) {
        error = 1;
        result = e && e.message !== undefined ? e.message : String(e);
      }
      if (id === null) return;
      const bytes = result instanceof Uint8Array ? result : encoder.encode(result === undefined ? 'undefined' : String(result));
      this.#send(CMD.JS, id, join([new Uint8Array([error]), bytes, new Uint8Array(1)]));
    }
    call(name, ...args) {
      if (!this.#connected || !this.#tokenAccepted) return Promise.reject(new Error('WebSocket is not connected'));
      if (!name) return Promise.reject(new Error('No binding name is provided'));
      if (!this.#allEvents && !this.#binds.has(name)) return Promise.reject(new Error('No binding was found for "' + name + '"'));
      const id = this.#nextCallId;
      this.#nextCallId = id === 1 ? 0xFFFF : id - 1;
      const values = args.map(asBytes);
      const parts = [encoder.encode(String(name)), new Uint8Array(1), encoder.encode(values.map((v) => v.length).join(';')),
        new Uint8Array(1)];
      for (const v of values) parts.push(v, new Uint8Array(1));
      return new Promise((resolve, reject) => {
        this.#pending.set(id, { resolve, reject });
        if (!this.#send(CMD.CALL_FUNC, id, join(parts))) {
          this.#pending.delete(id);
          reject(new Error('WebSocket is not connected'));
        }
      });
    }
    callCore(...args) { return this.call(CORE, ...args); }
    async isHighContrast() { return (await this.callCore('high_contrast')) === '1'; }
    setLogging(on) { this.#logging = !!on; }
    setEventCallback(callback) { this.#eventCallback = typeof callback === 'function' ? callback : null; }
    isConnected() { return this.#connected && this.#tokenAccepted; }
    allowNavigation(on) { this.#allowNavigation = !!on; }
    encode(text) {
      const bytes = new TextEncoder().encode(String(text));
      let binary = '';
      for (const b of bytes) binary += String.fromCharCode(b);
      return btoa(binary);
    }
    decode(base64) {
      const binary = atob(String(base64));
      const bytes = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
      return new TextDecoder().decode(bytes);
    }
  };
}
)JS";

}  // namespace

std::string bridgeScript(WebwinWindow &window) {
    Guard guard(lockOf(bind_lock));
    // A single-client window whose page is connected gives no second page its token.
    if (!state().multi_client && windowConnected(window)) return {};
    std::string text(kBridgeScript);
    text += "\n document.addEventListener(\"DOMContentLoaded\",function(){ globalThis.webwin = new WebwinBridge({ "
            "secure: false, token: " + std::to_string(window.token) + ", port: " + std::to_string(window.port) +
            ", log: false, customWindowDrag: false, ";
    if (window.size_set) {
        text += "winW: " + std::to_string(window.width) + ", winH: " + std::to_string(window.height) + ", ";
    }
    if (window.position_set) text += "winX: " + std::to_string(window.x) + ", winY: " + std::to_string(window.y) + ", ";
    text += "});});";
    return text;
}

}  // namespace webwin

