// Headless Firefox ESR over WebDriver BiDi on a loopback port, behind the
// same small interface as the Chromium driver in browser.js. Its fresh
// profile stops every background connection, and a proxy that nothing
// answers catches whatever is left, so it never reaches past 127.0.0.1.
// Node's WebSocket needs --experimental-websocket on Debian's Node 20.
'use strict';
const Fs = require('fs');
const Os = require('os');
const Path = require('path');
const { spawn } = require('child_process');
const { Sleep, WaitUntil } = require('./browser.js');

const Prefs = {
    'app.update.auto': false,
    'app.update.disabledForTesting': true,
    'browser.safebrowsing.malware.enabled': false,
    'browser.safebrowsing.phishing.enabled': false,
    'browser.safebrowsing.downloads.enabled': false,
    'browser.safebrowsing.blockedURIs.enabled': false,
    'browser.safebrowsing.provider.mozilla.updateURL': '',
    'browser.safebrowsing.provider.google4.updateURL': '',
    'browser.search.update': false,
    'browser.shell.checkDefaultBrowser': false,
    'browser.startup.homepage_override.mstone': 'ignore',
    'browser.startup.page': 0,
    'browser.newtabpage.enabled': false,
    'browser.newtabpage.activity-stream.feeds.system.topstories': false,
    'browser.newtabpage.activity-stream.feeds.topsites': false,
    'browser.ping-centre.telemetry': false,
    'browser.aboutHomeSnippets.updateUrl': '',
    'captivedetect.canonicalURL': '',
    'datareporting.healthreport.uploadEnabled': false,
    'datareporting.policy.dataSubmissionEnabled': false,
    'dom.push.connection.enabled': false,
    'extensions.update.enabled': false,
    'extensions.getAddons.cache.enabled': false,
    'extensions.blocklist.enabled': false,
    'geo.provider.network.url': '',
    'media.eme.enabled': false,
    'media.gmp-manager.updateEnabled': false,
    'media.gmp-manager.url': '',
    'media.gmp-gmpopenh264.autoupdate': false,
    'media.gmp-gmpopenh264.enabled': false,
    'media.gmp-widevinecdm.autoupdate': false,
    'media.gmp-widevinecdm.enabled': false,
    'network.captive-portal-service.enabled': false,
    'network.connectivity-service.enabled': false,
    'network.dns.disablePrefetch': true,
    'network.http.speculative-parallel-limit': 0,
    'network.prefetch-next': false,
    'network.trr.mode': 5,
    'network.proxy.type': 1,
    'network.proxy.http': '127.0.0.1',
    'network.proxy.http_port': 9,
    'network.proxy.ssl': '127.0.0.1',
    'network.proxy.ssl_port': 9,
    'network.proxy.share_proxy_settings': true,
    // Taken only with MOZ_REMOTE_SETTINGS_DEVTOOLS=1 in the environment.
    'services.settings.server': 'http://127.0.0.1:9/v1',
    'toolkit.telemetry.enabled': false,
    'toolkit.telemetry.server': '',
    'toolkit.telemetry.unified': false,
    // The test clicks as a viewer would; the sound need not wait for it.
    'media.autoplay.default': 0,
    'media.volume_scale': '0.0',
};

// The BiDi address Firefox prints once it listens.
function Listening(Child)
{
    return new Promise((Resolve, Reject) => {
        let Text = '';
        Child.on('error', Error_ => Reject(new Error("can't start firefox-esr: " + Error_.message)));
        const Timeout = setTimeout(() => Reject(new Error('firefox-esr did not listen within 60 s: ' + Text.slice(-400))), 60000);
        Child.stderr.on('data', Chunk => {
            Text += Chunk.toString();
            const Found = Text.match(/WebDriver BiDi listening on (ws:\/\/\S+)/);
            if (Found) {
                clearTimeout(Timeout);
                Resolve(Found[1]);
            }
        });
        Child.on('exit', Code => Reject(new Error('firefox-esr exited (' + Code + '): ' + Text.slice(-400))));
    });
}

function Connect(Address)
{
    const Socket = new WebSocket(Address + '/session');
    const Pending = new Map();
    let NextId = 1;
    Socket.addEventListener('message', Event => {
        const Message = JSON.parse(Event.data);
        const Waiter = Pending.get(Message.id);
        if (Waiter) {
            Pending.delete(Message.id);
            Message.type === 'error' ? Waiter.Reject(new Error(Message.error + ': ' + Message.message))
                                     : Waiter.Resolve(Message.result);
        }
    });
    // A Firefox that has gone answers nothing more: fail what waits.
    Socket.addEventListener('close', () => {
        for (const Waiter of Pending.values())
            Waiter.Reject(new Error('Firefox closed the connection'));
        Pending.clear();
    });
    const Send = (method, params = {}) => new Promise((Resolve, Reject) => {
        const id = NextId++;
        Pending.set(id, { Resolve, Reject });
        Socket.send(JSON.stringify({ id, method, params }));
    });
    return new Promise((Resolve, Reject) => {
        Socket.addEventListener('open', () => Resolve({ Send, Socket }));
        Socket.addEventListener('error', () => Reject(new Error("can't reach Firefox at " + Address)));
    });
}

async function StartBrowser()
{
    const Profile = Fs.mkdtempSync(Path.join(Os.tmpdir(), 'vorlune-firefox-'));
    Fs.writeFileSync(Path.join(Profile, 'user.js'),
                     Object.entries(Prefs).map(([Name, Value]) => `user_pref(${JSON.stringify(Name)}, ${JSON.stringify(Value)});\n`).join(''));
    const Child = spawn('firefox-esr', ['--headless', '--no-remote', '--profile', Profile,
                                        '--remote-debugging-port', '0', 'about:blank'],
                        { stdio: ['ignore', 'ignore', 'pipe'], env: { ...process.env, MOZ_REMOTE_SETTINGS_DEVTOOLS: '1' } });
    const Exited = new Promise(Resolve => Child.on('exit', Resolve));
    const Close = async () => {
        await Promise.race([Exited, Sleep(10000).then(() => Child.kill('SIGKILL'))]);
        Fs.rmSync(Profile, { recursive: true, force: true, maxRetries: 20, retryDelay: 100 });
    };
    try {
        const { Send, Socket } = await Connect(await Listening(Child));
        await Send('session.new', { capabilities: {} });
        return { Send, Close: async () => {
            await Promise.race([Send('browser.close'), Sleep(5000)]).catch(() => Child.kill());
            Socket.close();
            await Close();
        } };
    } catch (Error_) {
        Child.kill();
        await Close();
        throw Error_;
    }
}

// Screen: the viewport in CSS pixels and its device scale; Firefox's
// remote protocol emulates no phone: desktop Firefox ignores the viewport
// tag, and has no coarse pointer.
async function OpenPage(Browser, Url, Screen = { Width: 1280, Height: 960, Scale: 1 })
{
    const { context } = await Browser.Send('browsingContext.create', { type: 'tab' });
    await Browser.Send('browsingContext.setViewport', {
        context, viewport: { width: Screen.Width, height: Screen.Height }, devicePixelRatio: Screen.Scale });
    await Browser.Send('browsingContext.navigate', { context, url: Url, wait: 'none' });
    // As Chromium's returnByValue: what JSON carries, undefined on an
    // exception.
    const Evaluate = async Expression => {
        const Answer = await Browser.Send('script.evaluate', {
            expression: `JSON.stringify([(${Expression})])`, target: { context }, awaitPromise: false });
        return Answer.type === 'success' ? JSON.parse(Answer.result.value)[0] ?? undefined : undefined;
    };
    const Perform = actions => Browser.Send('input.performActions', { context, actions });
    const Keys = { Space: ' ', Escape: '\uE00C', KeyC: 'c', KeyP: 'p' };
    return {
        Send: Browser.Send,
        Evaluate,
        WaitFor: (Expression, Seconds) => WaitUntil(Evaluate, Expression, Seconds),
        Screenshot: async () => Buffer.from((await Browser.Send('browsingContext.captureScreenshot', { context })).data, 'base64'),
        Click: (x, y) => Perform([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
            { type: 'pointerMove', x, y }, { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }]),
        Key: Code => Perform([{ type: 'key', id: 'keyboard', actions: [
            { type: 'keyDown', value: Keys[Code] }, { type: 'keyUp', value: Keys[Code] }] }]),
        Close: () => Browser.Send('browsingContext.close', { context }),
    };
}

module.exports = { StartBrowser, OpenPage };
